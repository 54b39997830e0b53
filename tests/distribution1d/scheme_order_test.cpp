// The equation scheme walked over a node grid laid out as the domain lays it: which instances
// it makes in which order, which nodes they define, and each residual's order of accuracy.
#include "tests/scheme/fake_scheme.h"
#include "tests/scheme/manufactured.h"
#include "tests/scheme/stencil_orders.h"
#include "tests/scheme/stencil_residual.h"
#include "types/distribution1d/programs1d.h"
#include "types/distribution1d/scheme_walk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace norvane::test {
namespace {

// One direction's grid and the one-dimensional scheme over it, "idx" asked.
using Grid = FakeScheme;

Grid MakeGrid(const std::string& method, int p, const std::vector<double>& lengths,
              const std::vector<int>& elements) {
    Grid grid;
    grid.directions.push_back(MakeDirection(method, p, lengths, elements));
    grid.integrals = {Idx};
    return grid;
}

std::vector<Instance> Walk(Grid& grid) {
    return grid.Walk(Programs1D());
}

// "site@anchor:section" for each instance, blank-separated.
std::string Sequence(Grid& in) {
    std::string text;
    for (const Instance& i : Walk(in))
        text += (text.empty() ? "" : " ") + std::to_string(i.family) + '@' +
                std::to_string(i.anchor) + ':' + std::to_string(i.section);
    return text;
}

// The method is matched in any letter case; an unknown one leaves only the start group.
TEST(Scheme1DOrder, FiniteDifferenceSubBlocksEachLoopOverTheSections) {
    Grid in = MakeGrid("bfd1", 0, {1.0}, {4});
    EXPECT_EQ(Sequence(in), "1@0:0 2@0:1 3@1:1 3@2:1 3@3:1 3@4:1 "
                            "4@1:1 4@2:1 4@3:1 6@0:1 6@1:1 6@2:1 6@3:1"); // 3N + 1
    in.directions[0].method = "BFD3";
    EXPECT_EQ(Sequence(in), "1@0:0");
    // The join follows the second-derivative instances of its section; without "idx" the
    // first instance is QV_Eqn2 and the other sites keep their names.
    Grid joined = MakeGrid("BFD1", 0, {0.4, 0.6}, {2, 3});
    joined.integrals.clear();
    EXPECT_EQ(Sequence(joined), "2@0:1 3@1:1 3@2:1 3@3:2 3@4:2 3@5:2 4@1:1 4@3:2 4@4:2 5@2:2");
}

TEST(Scheme1DOrder, CollocationRunsSectionThenSubBlockThenElement) {
    Grid in = MakeGrid("OCFE3", 2, {0.6, 0.4}, {2, 1});
    EXPECT_EQ(Sequence(in),
              "1@0:0 68@0:1 69@0:1 70@0:1 71@0:1 69@3:1 70@3:1 71@3:1 "
              "73@0:1 74@0:1 72@3:1 73@3:1 74@3:1 75@0:1 76@0:1 77@0:1 75@3:1 76@3:1 77@3:1 "
              "69@6:2 70@6:2 71@6:2 72@6:2 73@6:2 74@6:2 75@6:2 76@6:2 77@6:2");
    in.directions[0].order =
        3; // the element join needs HIGHESTORDERXDERIVATIVE == 2, whatever the order used
    EXPECT_EQ(Sequence(in).find("72@"), std::string::npos);
    in.directions[0].orderUsed = 1; // no second-derivative sub-block
    EXPECT_EQ(Sequence(in).find("73@"), std::string::npos);
}

struct Method {
    const char* name;
    int polyPoints, group;
    std::vector<int> elements; // per section on the grid of the accuracy check
    double frequency, slack;   // of the smooth variable; how far the order may fall short
};

// Per site placed: its largest |residual| and largest residual relative to its terms.
struct Worst {
    double absolute = 0.0, relative = 0.0;
};

std::map<int, Worst> Residuals(const Method& m, int refine, const Factor& f) {
    std::vector<int> elements = m.elements;
    for (int& e : elements)
        e *= refine;
    Grid grid = MakeGrid(m.name, m.polyPoints, {0.3, 0.45, 0.25}, elements);
    const Manufactured exact = OnGrids({{f}}, grid);
    std::map<int, Worst> worst;
    for (const Instance& instance : Walk(grid)) {
        if (instance.family == 1) continue; // op1(IDX(0)) is the host's to evaluate
        const Residual term = ResidualOf(exact, grid, instance);
        Worst& w = worst[instance.family];
        w.absolute = std::max(w.absolute, std::fabs(term.value));
        w.relative = std::max(w.relative, std::fabs(term.value) / term.size);
    }
    return worst;
}

class Scheme1DMethod : public testing::TestWithParam<Method> {};

// One DDX equation per node plus a second one at each join, a D2DX2 equation at each interior
// node, an IDX equation per node (an equation counts for the first variable it names); every
// node within 0 .. ENDNODE and every site in its block's group.
TEST_P(Scheme1DMethod, EachNodeIsDefinedOnce) {
    const Method& m = GetParam();
    Grid grid = MakeGrid(m.name, m.polyPoints, {0.3, 0.45, 0.25}, {2, 3, 1});
    FakeDirection& x = grid.directions[0];
    const int end = x.endNode();
    std::vector<bool> join(end + 1); // section starts; element starts for collocation
    for (const FakeSection& s : x.parts)
        for (int e = 0; e < (x.collocation() ? s.elements : 1); ++e)
            join[s.base + e * (x.p + 1)] = true;
    std::map<std::pair<Field, int>, int> count; // equations per field and node
    for (const Instance& i : Walk(grid)) {
        EXPECT_EQ(i.group, i.family == 1 ? 1 : m.group) << i.family;
        EXPECT_EQ(i.stencil, &StencilByNumber(i.family)) << i.family;
        const Token* defined = nullptr;
        for (const Token* t = i.stencil->tokens; t != i.stencil->tokens + i.stencil->tokenCount;
             ++t) {
            if (t->kind != Token::Kind::Variable || t->field == Field::Step) continue;
            ASSERT_TRUE(i.anchor + t->offset >= 0 && i.anchor + t->offset <= end)
                << i.family << " at " << i.anchor;
            if (defined == nullptr) defined = t;
        }
        ASSERT_NE(defined, nullptr);
        ++count[{defined->field, i.anchor + defined->offset}];
    }
    for (int k = 0; k <= end; ++k) {
        EXPECT_EQ((count[{Field::FirstDerivative, k}]), k != 0 && join[k] ? 2 : 1) << k;
        EXPECT_EQ((count[{Field::SecondDerivative, k}]), !join[k] && k != end ? 1 : 0) << k;
        EXPECT_EQ((count[{Field::Integral, k}]), 1) << k;
    }
}

TEST_P(Scheme1DMethod, ResidualsShrinkAtTheOrderOfEachFormula) {
    const Method& m = GetParam();
    const auto coarse = Residuals(m, 1, Smooth(m.frequency));
    const auto refined = Residuals(m, 2, Smooth(m.frequency));
    for (const auto& [site, worst] : coarse) {
        const double order = std::log2(worst.absolute / refined.at(site).absolute);
        EXPECT_GE(order, SiteOrder(site) - m.slack) << "QV_Eqn" << site;
    }
}

// The five-place constants of OCFE3 and OCFE4 leave a residual of about 1e-5 h that ends their
// convergence early: they are refined on coarse grids where a fast variable still dominates.
INSTANTIATE_TEST_SUITE_P(
    AllMethods, Scheme1DMethod,
    testing::Values(
        Method{"BFD1", 0, 2, {8, 12, 4}, 2.3, 0.3}, Method{"BFD2", 1, 3, {8, 12, 4}, 2.3, 0.3},
        Method{"FFD1", 0, 4, {8, 12, 4}, 2.3, 0.3}, Method{"FFD2", 1, 5, {8, 12, 4}, 2.3, 0.3},
        Method{"CFD2", 1, 6, {8, 12, 4}, 2.3, 0.3}, Method{"CFD4", 3, 7, {8, 12, 4}, 2.3, 0.3},
        Method{"UBFD4", 3, 8, {8, 12, 4}, 2.3, 0.3}, Method{"OCFE2", 1, 9, {4, 6, 2}, 2.3, 0.3},
        Method{"OCFE3", 2, 10, {2, 2, 2}, 9.0, 0.7}, Method{"OCFE4", 3, 11, {2, 2, 2}, 9.0, 1.2}),
    [](const testing::TestParamInfo<Method>& info) { return std::string(info.param.name); });

// The collocation weights are those of the polynomial through the element's nodes, so a
// polynomial of that degree leaves only the rounding of the stored constants.
TEST(Scheme1DExactness, CollocationIsExactForPolynomialsOfTheElementDegree) {
    const auto cubic =
        Residuals({"OCFE3", 2, 10, {2, 1, 3}, 0, 0}, 1, Polynomial({0.7, -1.2, 2.1, -1.6}));
    const auto quartic =
        Residuals({"OCFE4", 3, 11, {2, 1, 3}, 0, 0}, 1, Polynomial({0.7, -1.2, 2.1, -1.6, 0.9}));
    EXPECT_EQ(cubic.size() + quartic.size(), 23u);
    for (const std::map<int, Worst>* run : {&cubic, &quartic})
        for (const auto& [site, worst] : *run)
            EXPECT_LT(worst.relative, 1e-4) << "QV_Eqn" << site;
}

} // namespace
} // namespace norvane::test
