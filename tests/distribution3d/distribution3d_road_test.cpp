// The three-dimensional distribution on the host's road: the structure and expression passes
// name the same terms in the same order for every method in each direction, every family
// stands in its group, and on a smooth manufactured solution every family's residual shrinks at
// the order of its formula as the grid along its direction is refined.
#include "tests/scheme/distribution_road.h"
#include "tests/scheme/manufactured.h"
#include "tests/scheme/road_checks.h"
#include "types/distribution3d/programs3d.h"

#include <array>

namespace norvane::test {
namespace {

// The first family of each group: the start planes (groups 1 to 7), then block (m, d) at
// 3m + 5 + d.
const std::vector<int> kFirstFamilies = {
    1,   2,   3,   4,   6,   8,   10,  13,  18,  24,  32,  39,  48,  61,  67,  74,  83,  91, 101,
    115, 122, 131, 144, 157, 174, 199, 212, 229, 254, 261, 270, 283, 293, 306, 325, 338, 355};

const char* const kAllIntegrals = "idx\"idy\"idz\"idxdy\"idxdz\"idydz\"idxdydz";

// The method's axis along direction `own`, the others as given, in x, y, z order.
Road3D MakeRoad(const Axis& method, int own, const Axis& first, const Axis& second,
                const char* integrals = kAllIntegrals) {
    std::array<Axis, 3> axes{first, second, second};
    axes[own] = method;
    axes[(own + 1) % 3] = first;
    axes[(own + 2) % 3] = second;
    return Road3D(axes[0], axes[1], axes[2], integrals);
}

// Every method in each direction, the others other methods; orders 0 to 2 along the method's
// direction and each integral alone and all seven together.
TEST(Distribution3DRoad, StructureAndExpressionsAgreeForEveryBlock) {
    const char* const integrals[] = {nullptr, "idx",   "idy",     "idz",        "idxdy",
                                     "idxdz", "idydz", "idxdydz", kAllIntegrals};
    for (int m = 0; m < 10; ++m) {
        for (int own = 0; own < 3; ++own) {
            for (int order : {0, 1, 2}) {
                for (const char* asked : integrals) {
                    SCOPED_TRACE(testing::Message() << kMethods[m] << " along "
                                                    << "xyz"[own] << ", order " << order << ", "
                                                    << (asked ? asked : "None"));
                    Road3D road = MakeRoad({kMethods[m], 2, 1.0, 0.125, order}, own,
                                           {kMethods[(m + 3) % 10], 1, 1.0, 0.25, 2},
                                           {kMethods[(m + 7) % 10], 1, 0.6, 0.2, 1}, asked);
                    const int count = road.SetUp();
                    ASSERT_GT(count, 0) << "refused with " << count;
                    EXPECT_EQ(road.Pattern().counter, count);
                    const QV_DISTRIBUTION3D& d = *road.distribution;
                    EXPECT_EQ(ExpectTwinPasses(d, d.m_groupBase, d.m_patternCount, kFirstFamilies),
                              count);
                }
            }
        }
    }
}

// Every array given the manufactured solution's values; the largest residual of each family.
std::map<int, double> Residuals(Road3D& road, const Manufactured& exact) {
    QV_DISTRIBUTION3D& d = *road.distribution;
    QV_DISTRIBUTION3D::Derivatives* const derivatives[2][3] = {{&d.DDX, &d.DDY, &d.DDZ},
                                                               {&d.D2DX2, &d.D2DY2, &d.D2DZ2}};
    QV_DISTRIBUTION3D::Variables* const integrals[8] = {nullptr, &d.IDX,   &d.IDY,   &d.IDXDY,
                                                        &d.IDZ,  &d.IDXDZ, &d.IDYDZ, &d.IDXDYDZ};
    auto set = [](QV_VarParam& v, double x) { v.SetValue(SUValue(x)); };
    for (int i = 0; i <= road.EndNode(0); ++i) {
        for (int j = 0; j <= road.EndNode(1); ++j) {
            for (int k = 0; k <= road.EndNode(2); ++k) {
                const int node[3] = {i, j, k};
                set((*d.VALUE)(i, j, k), exact.Value(node));
                for (int order = 1; order <= 2; ++order)
                    for (int dir = 0; dir < 3; ++dir)
                        set((*derivatives[order - 1][dir])(i, j, k),
                            exact.Derivative(node, dir, order));
                for (unsigned span = 1; span < 8; ++span)
                    set((*integrals[span])(i, j, k), exact.Integral(node, span));
            }
        }
    }
    return WorstResiduals(d);
}

struct Refinement {
    const char* method;
    double spacing; // of the coarse grid along the method's direction
    double slack;   // how far an order may fall short
};

class Distribution3DOrder : public testing::TestWithParam<Refinement> {};

// The method along each direction with one and two sections, the other directions small
// grids that stay as they are: a family's residual depends on its own direction's spacing.
TEST_P(Distribution3DOrder, ResidualsShrinkAtTheOrderOfEachFormula) {
    const Refinement& m = GetParam();
    const std::map<int, int> expected = ExpectedOrders(Programs3D());
    for (int own = 0; own < 3; ++own) {
        for (int sections : {1, 2}) {
            SCOPED_TRACE(testing::Message() << "along "
                                            << "xyz"[own] << ", " << sections << " sections");
            std::map<int, double> residuals[2];
            for (int refine = 0; refine < 2; ++refine) {
                Road3D road = MakeRoad({m.method, sections, 1.0, m.spacing / (1 << refine), 2}, own,
                                       {"CFD2", 1, 0.6, 0.2, 2}, {"BFD1", 1, 0.5, 0.25, 2});
                ASSERT_GT(road.SetUp(), 0);
                road.Pattern();
                const Manufactured exact({{Wave(2.3, 0.4), Wave(1.3, 0.3), Wave(1.7, 0.2)},
                                          {Growth(0.8), Wave(2.3, 1.1), Growth(-0.6)},
                                          {Wave(1.9, 1.3), Growth(0.5), Wave(2.3, 0.7)}},
                                         road.Nodes());
                residuals[refine] = Residuals(road, exact);
            }
            ExpectOrders(residuals, expected, 3 * MethodNumber(m.method) + 5 + own, kFirstFamilies,
                         m.slack);
        }
    }
}

// As in two dimensions, OCFE3 and OCFE4 are judged by exactness instead.
INSTANTIATE_TEST_SUITE_P(
    AllMethods, Distribution3DOrder,
    testing::Values(Refinement{"BFD1", 0.03125, 0.3}, Refinement{"BFD2", 0.03125, 0.3},
                    Refinement{"FFD1", 0.03125, 0.3}, Refinement{"FFD2", 0.03125, 0.3},
                    Refinement{"CFD2", 0.03125, 0.3}, Refinement{"CFD4", 0.03125, 0.3},
                    Refinement{"UBFD4", 0.03125, 0.3}, Refinement{"OCFE2", 0.0625, 0.3}),
    [](const testing::TestParamInfo<Refinement>& info) { return std::string(info.param.method); });

TEST(Distribution3DExactness, CollocationIsExactForPolynomialsOfTheElementDegree) {
    const std::vector<double> quartic = {0.7, -1.2, 2.1, -1.6, 0.9};
    for (const char* method : {"OCFE3", "OCFE4"}) {
        const int degree = method[4] - '0';
        const Factor along = Polynomial({quartic.begin(), quartic.begin() + degree + 1});
        const Factor across = Polynomial({0.4, 0.3, -0.5});
        for (int own = 0; own < 3; ++own) {
            SCOPED_TRACE(testing::Message() << method << " along "
                                            << "xyz"[own]);
            Road3D road = MakeRoad({method, 2, 1.0, 0.1, 2}, own, {"CFD2", 1, 0.6, 0.2, 2},
                                   {"BFD1", 1, 0.5, 0.25, 2});
            ASSERT_GT(road.SetUp(), 0);
            road.Pattern();
            Term term{across, across, across};
            term[own] = along;
            const Manufactured exact({term}, road.Nodes());
            const int group = 3 * MethodNumber(method) + 5 + own;
            for (const auto& [family, worst] : Residuals(road, exact)) {
                if (GroupOf(family, kFirstFamilies) != group) continue;
                EXPECT_LT(worst, 2e-4) << "QV_Eqn" << family;
            }
        }
    }
}

} // namespace
} // namespace norvane::test
