// The collocation join, the first-derivative equation at each element start but node 0, stands
// where the distribution's own order along its direction (HIGHESTORDER<d>DERIVATIVE, assigned
// from the domain) is exactly 2, whatever order the user fixed as the one used: an own order of
// 3 with 2 used has no join, an own order of 2 with 3 used has every join.
#include "tests/scheme/distribution_road.h"

#include <cstring>
#include <string>

namespace norvane::test {
namespace {

const char* const kCollocation[] = {"OCFE2", "OCFE3", "OCFE4"};
const char kDirections[] = "XYZ";

// The join family of each collocation method along each direction, by number of directions.
const char* const kJoin[3][3][3] = {
    {{"QV_Eqn64", "QV_Eqn72", "QV_Eqn83"}},
    {{"QV_Eqn143", "QV_Eqn159", "QV_Eqn183"}, {"QV_Eqn149", "QV_Eqn171", "QV_Eqn199"}},
    {{"QV_Eqn258", "QV_Eqn289", "QV_Eqn333"},
     {"QV_Eqn265", "QV_Eqn299", "QV_Eqn346"},
     {"QV_Eqn274", "QV_Eqn312", "QV_Eqn363"}},
};

struct Equations {
    int total = 0, joins = 0;
};

// The road with the collocation method along `own` at that domain's order, the user's order
// used there (none: the one assigned), a finite-difference method along the others.
template <class Distribution>
Equations Count(int method, int own, int domainOrder, int usedOrder = -1) {
    constexpr int dimensions = DistributionKind<Distribution>::kDimensions;
    std::vector<Axis> axes(dimensions, Axis{"CFD2", 1, 1.0, 0.25, 2});
    axes[own] = {kCollocation[method], 2, 1.0, 0.125, domainOrder};
    DistributionRoad<Distribution> road(axes, nullptr);
    if (usedOrder >= 0) {
        const std::string used = std::string("HIGHESTORDER") + kDirections[own] + "DERIVATIVEUSED";
        dynamic_cast<QV_VarParam&>(*road.distribution->FindProperty(used.c_str()))
            .UserSet(usedOrder);
    }
    Equations count;
    count.total = road.SetUp();
    EXPECT_EQ(road.Pattern().counter, count.total);
    const char* join = kJoin[dimensions - 1][own][method];
    for (int e = 0; e < road.distribution->EquationCount(); ++e)
        count.joins += std::strcmp(road.distribution->EquationName(e), join) == 0;
    return count;
}

template <class Distribution> void ExpectJoinsFollowTheOwnOrder() {
    constexpr int dimensions = DistributionKind<Distribution>::kDimensions;
    for (int method = 0; method < 3; ++method) {
        for (int own = 0; own < dimensions; ++own) {
            SCOPED_TRACE(testing::Message() << dimensions << "D " << kCollocation[method]
                                            << " along " << kDirections[own]);
            const Equations assigned = Count<Distribution>(method, own, 2);
            ASSERT_GT(assigned.joins, 0);
            const Equations ownThree = Count<Distribution>(method, own, 3, 2);
            EXPECT_EQ(ownThree.joins, 0);
            EXPECT_EQ(ownThree.total, assigned.total - assigned.joins);
            const Equations usedThree = Count<Distribution>(method, own, 2, 3);
            EXPECT_EQ(usedThree.joins, assigned.joins);
            EXPECT_EQ(usedThree.total, assigned.total);
        }
    }
}

TEST(CollocationJoin, FollowsTheOwnOrderNotTheOneUsed) {
    ExpectJoinsFollowTheOwnOrder<QV_DISTRIBUTION1D>();
    ExpectJoinsFollowTheOwnOrder<QV_DISTRIBUTION2D>();
    ExpectJoinsFollowTheOwnOrder<QV_DISTRIBUTION3D>();
}

} // namespace
} // namespace norvane::test
