// Every method along each direction of the one-, two- and three-dimensional distributions,
// beside other methods along the other directions, under each derivative order along its own
// direction and with every integral asked: a domain computed from its own inputs passes the
// grid check, and the expression pass registers the equations the structure pass declared.
#include "tests/scheme/distribution_road.h"

namespace norvane::test {
namespace {

template <class Distribution> void ExpectAccepted(int m, int own, int order) {
    constexpr int dimensions = DistributionKind<Distribution>::kDimensions;
    const Axis others[] = {{kMethods[(m + 3) % 10], 1, 1.0, 0.25, 2},
                           {kMethods[(m + 7) % 10], 1, 0.6, 0.2, 1}};
    std::vector<Axis> axes;
    for (int d = 0; d < dimensions; ++d)
        axes.push_back(d == own ? Axis{kMethods[m], 2, 1.0, 0.125, order}
                                : others[(d - own + dimensions) % dimensions - 1]);
    DistributionRoad<Distribution> road(axes);
    const int count = road.SetUp();
    EXPECT_GT(count, 0) << dimensions << "D " << kMethods[m] << " along "
                        << "xyz"[own] << ", order " << order;
    const qvhost::Pattern pattern = road.Pattern();
    EXPECT_EQ(pattern.counter, count);
    EXPECT_EQ(road.distribution->m_patternCount, static_cast<int>(pattern.rows.size()));
}

TEST(RoadAcceptance, EveryMethodBesideOthersIsAccepted) {
    for (int m = 0; m < 10; ++m) {
        for (int order = 0; order <= 2; ++order) {
            ExpectAccepted<QV_DISTRIBUTION1D>(m, 0, order);
            for (int own = 0; own < 3; ++own) {
                if (own < 2) ExpectAccepted<QV_DISTRIBUTION2D>(m, own, order);
                ExpectAccepted<QV_DISTRIBUTION3D>(m, own, order);
            }
        }
    }
}

} // namespace
} // namespace norvane::test
