// Sections of node count 0, each its BASE node alone: a domain of length 0 whose MINNODECOUNT
// is 0 lays them out from its own inputs, and a user may fix one between others. The grid
// check accepts them where no equation needs more of such a section than its one node, and
// refuses the grid where one does, where a section ends before it begins, or where an element
// loop would walk elements of no width.
#include "tests/scheme/distribution_road.h"
#include "types/scheme/grid_check.h"

namespace norvane::test {
namespace {

// Node count 0 in every section of the domain.
void NoNodeCount(QV_DOMAIN& d) {
    d.MINNODECOUNT.UserSet(0);
}
// Section 2 of three fixed at node count `count`.
template <int count> void MiddleSection(QV_DOMAIN& d) {
    (*d.SECTION)(2).NODECOUNT.UserSet(count);
}
// One section of node count 0 that an element loop would walk a thousand times, its elements
// NUMPOLYPOINTS + 1 = 0 nodes wide.
void ElementsOfNoWidth(QV_DOMAIN& d) {
    NoNodeCount(d);
    d.NUMPOLYPOINTS.UserSet(-1);
    (*d.SECTION)(1).NUMELEMENTS.UserSet(1000);
}

struct Case {
    std::vector<Axis> axes;
    int fixed; // the direction whose domain `fix` changes
    void (*fix)(QV_DOMAIN&);
    const char* integrals;
    int outcome; // the equation count, or the refusal
};

template <class Distribution> void Expect(const Case& c) {
    DistributionRoad<Distribution> road(c.axes, c.integrals);
    c.fix(*road.domain[c.fixed]);
    EXPECT_EQ(road.SetUp(), c.outcome);
    const qvhost::Pattern pattern = road.Pattern();
    EXPECT_EQ(pattern.counter, std::max(c.outcome, 0));
    EXPECT_EQ(road.distribution->EquationCount(), std::max(c.outcome, 0));
}

const Axis kOneNode{"BFD1", 1, 0.0, 0.5, 0};
const Axis kHalves{"BFD1", 1, 1.0, 0.5, 2};
const Axis kThreeSections{"BFD1", 3, 1.5, 0.125, 1};

TEST(OneNodeSections, AcceptedWhereNoEquationNeedsMoreOfThem) {
    Expect<QV_DISTRIBUTION1D>({{kOneNode}, 0, NoNodeCount, "idx", 1});
    Expect<QV_DISTRIBUTION1D>({{kThreeSections}, 0, MiddleSection<0>, "idx", 18});
    Expect<QV_DISTRIBUTION2D>(
        {{kOneNode, {"CFD2", 1, 1.0, 0.25, 2}}, 0, NoNodeCount, "idx\"idy\"idxdy", 23});
    Expect<QV_DISTRIBUTION2D>({{kHalves, kThreeSections}, 1, MiddleSection<0>, "idy", 90});
    // Along X the derivatives are off: no equation reaches past X node 0.
    Expect<QV_DISTRIBUTION3D>({{kOneNode, kHalves, kHalves}, 0, NoNodeCount, "idxdydz", 51});
}

TEST(OneNodeSections, RefusedWhereAnEquationNeedsMoreOrTheSectionsFold) {
    // The second derivatives' join at the middle section's BASE reaches the node after it.
    Axis secondOrder = kThreeSections;
    secondOrder.order = 2;
    Expect<QV_DISTRIBUTION1D>({{secondOrder}, 0, MiddleSection<0>, "idx", RefusedOutsideSection});
    // A first derivative at the section's last node reaches the node before it.
    Axis ffd1 = kThreeSections;
    ffd1.method = "FFD1";
    Expect<QV_DISTRIBUTION2D>({{kHalves, ffd1}, 1, MiddleSection<0>, "idy", RefusedOutsideSection});
    // Sections that end before they begin let the next one walk nodes of those before again.
    Expect<QV_DISTRIBUTION3D>(
        {{kHalves, kHalves, kThreeSections}, 2, MiddleSection<-2>, "idz", RefusedSectionOrder});
    Expect<QV_DISTRIBUTION1D>(
        {{{"OCFE2", 1, 0.0, 0.5, 1}}, 0, ElementsOfNoWidth, "idx", RefusedUntiled});
}

} // namespace
} // namespace norvane::test
