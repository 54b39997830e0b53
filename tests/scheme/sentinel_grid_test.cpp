// A domain whose node count went past 32 bits carries the sentinel -2147483648 as its last
// node. Every distribution forms its index-set bounds from it without overflow, keeps every
// index set within the grid of its direction (node 0 alone) and refuses its equations,
// whichever direction carries the sentinel.
#include "tests/scheme/distribution_road.h"
#include "types/distribution1d/distribution1d.h"
#include "types/scheme/grid_check.h"

#include <algorithm>
#include <climits>
#include <string>

extern "C" NORVANE_API QV_DISTRIBUTION1D* DISTRIBUTION1DFactory();

namespace norvane::test {
namespace {

const Axis kSmall{"BFD1", 1, 1.0, 0.25, 2};
// Two sections, the first held at 2147483646 nodes in one element: the sum is the sentinel,
// and INTERIOR names nodes 1, 2 and 2147483647.
const Axis kHuge{"OCFE3", 2, 1.0, 0.25, 2};
void HoldFirstSectionAtTheLimit(QV_DOMAIN& d) {
    QV_SECTIONDATAMODEL& first = (*d.SECTION)(1);
    first.NODECOUNT.UserSet(2147483646);
    first.NUMELEMENTS.UserSet(1);
}

// Every registered index set "QV_<array>_SET<k>" holds only nodes of direction k's grid: the
// nodes that the domain's own VALUE is declared over, node 0 alone for the sentinel.
void ExpectSetsWithinTheGrids(const QV_ModelType& d, QV_LENGTHDOMAIN* const* domains) {
    for (int k = 0; k < d.PropertyCount(); ++k) {
        const auto* set = dynamic_cast<const QV_INTEGERSET*>(d.PropertyAt(k));
        if (!set) continue;
        const std::string name = set->Name();
        const std::vector<int> members = Members(set->fv());
        const std::vector<int> grid = Members(domains[name.back() - '1']->QV_VALUE_SET1.fv());
        EXPECT_TRUE(std::includes(grid.begin(), grid.end(), members.begin(), members.end()))
            << name << " holds " << testing::PrintToString(members);
    }
}

template <class Road> void ExpectRefused(Road& road, int own) {
    HoldFirstSectionAtTheLimit(*road.domain[own]);
    const int status = road.SetUp();
    ASSERT_EQ(road.EndNode(own), INT_MIN);
    EXPECT_EQ(status, RefusedSectionOrder);
    ExpectSetsWithinTheGrids(*road.distribution, road.domain);
    road.Pattern();
    EXPECT_EQ(road.distribution->EquationCount(), 0);
}

// Without integrals the bound of an integral set is -ENDNODE, beyond 32 bits for the sentinel.
TEST(SentinelGrid, TwoAndThreeDimensionsRefuseAlongEachDirection) {
    for (int own = 0; own < 2; ++own) {
        SCOPED_TRACE(testing::Message() << "2D, sentinel along "
                                        << "xy"[own]);
        Road2D road(own == 0 ? kHuge : kSmall, own == 0 ? kSmall : kHuge, nullptr);
        ExpectRefused(road, own);
        EXPECT_EQ(road.distribution->QV_IDX_SET1.v().SetSize(), 0);
    }
    for (int own = 0; own < 3; ++own) {
        SCOPED_TRACE(testing::Message() << "3D, sentinel along "
                                        << "xyz"[own]);
        Axis axes[3] = {kSmall, kSmall, kSmall};
        axes[own] = kHuge;
        Road3D road(axes[0], axes[1], axes[2]);
        ExpectRefused(road, own);
    }
}

TEST(SentinelGrid, OneDimensionRefusesWithoutOverflow) {
    const long before = qvhost::LiveBlocks();
    QV_LENGTHDOMAIN* domain = MakeDomain(kHuge);
    QV_DISTRIBUTION1D* d = DISTRIBUTION1DFactory();
    d->XDOMAIN.Link(domain);
    HoldFirstSectionAtTheLimit(*domain);
    domain->SetDims();
    for (int run = 0; run < 2; ++run)
        domain->ExecuteAssignments(3, 1);
    ASSERT_EQ(domain->ENDNODE.v(), INT_MIN);
    d->SetDims();
    d->ExecuteAssignments(3, 1);
    EXPECT_EQ(d->QV_IDX_SET1.v().SetSize(), 0);
    ExpectSetsWithinTheGrids(*d, &domain);
    qvhost::ResetSystem();
    EXPECT_EQ(d->SetUpEquations(), RefusedSectionOrder);
    d->Release();
    domain->Release();
    EXPECT_EQ(qvhost::LiveBlocks(), before);
}

} // namespace
} // namespace norvane::test
