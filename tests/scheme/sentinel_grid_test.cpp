// A domain whose node count went past 32 bits carries the sentinel -2147483648 as its last
// node. Every distribution forms its index-set bounds from it without overflow and refuses its
// equations, whichever direction carries the sentinel.
#include "tests/scheme/distribution_road.h"
#include "types/distribution1d/distribution1d.h"
#include "types/distribution1d/grid_check.h"

#include <climits>

extern "C" NORVANE_API QV_DISTRIBUTION1D* DISTRIBUTION1DFactory();

namespace norvane::test {
namespace {

const Axis kHuge{"CFD4", 1, 2147483647.0, 1.0, 2};
const Axis kSmall{"BFD1", 1, 1.0, 0.25, 2};

// Without integrals the bound of an integral set is -ENDNODE, beyond 32 bits for the sentinel.
template <class Road> void ExpectRefused(Road& road) {
    const int status = road.SetUp();
    ASSERT_TRUE(road.domain[0]->ENDNODE.v() == INT_MIN || road.domain[1]->ENDNODE.v() == INT_MIN);
    EXPECT_EQ(status, RefusedSectionOrder);
    road.Pattern();
    EXPECT_EQ(road.distribution->EquationCount(), 0);
}

TEST(SentinelGrid, TwoAndThreeDimensionsRefuseWithoutOverflow) {
    for (int own = 0; own < 2; ++own) {
        Road2D road(own == 0 ? kHuge : kSmall, own == 0 ? kSmall : kHuge, nullptr);
        ExpectRefused(road);
        EXPECT_EQ(road.distribution->QV_IDX_SET1.v().SetSize(), 0);
    }
    Road3D road(kHuge, kSmall, kSmall, nullptr);
    ExpectRefused(road);
    EXPECT_EQ(road.distribution->QV_IDXDYDZ_SET1.v().SetSize(), 0);
}

TEST(SentinelGrid, OneDimensionRefusesWithoutOverflow) {
    const long before = qvhost::LiveBlocks();
    QV_LENGTHDOMAIN* domain = MakeDomain(kHuge);
    QV_DISTRIBUTION1D* d = DISTRIBUTION1DFactory();
    d->XDOMAIN.Link(domain);
    domain->SetDims();
    domain->ExecuteAssignments(3, 1);
    ASSERT_EQ(domain->ENDNODE.v(), INT_MIN);
    d->SetDims();
    d->ExecuteAssignments(3, 1);
    EXPECT_EQ(d->QV_IDX_SET1.v().SetSize(), 0);
    qvhost::ResetSystem();
    EXPECT_EQ(d->SetUpEquations(), RefusedSectionOrder);
    d->Release();
    domain->Release();
    EXPECT_EQ(qvhost::LiveBlocks(), before);
}

} // namespace
} // namespace norvane::test
