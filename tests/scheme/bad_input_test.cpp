// What the two- and three-dimensional distributions make of input a user may give: method
// names in any case or unknown, integral names unknown or none, derivative orders out of range,
// one-section and one-interval domains, and node counts or polynomial points fixed by the user
// so that the grid no longer fits the method. Each has a defined outcome and leaves no block
// behind (the road fixture checks it).
#include "tests/scheme/distribution_road.h"
#include "types/scheme/grid_check.h"

#include <climits>

namespace norvane::test {
namespace {

const Axis kPlain{"CFD2", 2, 1.0, 0.125, 2};

// The equations whose first variable's path begins with `prefix`: its array names the kind.
int EquationsDefining(const QV_ModelType& d, const char* prefix) {
    int count = 0;
    for (int e = 0; e < d.EquationCount(); ++e)
        count += qvhost::PathOf(*d.NonZero(e, 0)).rfind(prefix, 0) == 0;
    return count;
}

// Equations of each kind.
struct Kinds {
    int total = 0, derivatives = 0, integrals = 0;
};

template <class Road> Kinds RunRoad(Road& road) {
    Kinds kinds;
    kinds.total = road.SetUp();
    road.Pattern();
    const QV_ModelType& d = *road.distribution;
    EXPECT_EQ(d.EquationCount(), std::max(kinds.total, 0));
    kinds.derivatives = EquationsDefining(d, "D");
    kinds.integrals = EquationsDefining(d, "I");
    return kinds;
}

TEST(DistributionBadInput, MethodNamesAreMatchedInAnyCaseAndUnknownOnesGetNoBlock) {
    Road2D lower({"cFd2", 2, 1.0, 0.125, 2}, kPlain, nullptr);
    Road2D upper(kPlain, kPlain, nullptr);
    EXPECT_EQ(RunRoad(lower).total, RunRoad(upper).total);
    Road2D unknown({"CFD3", 2, 1.0, 0.125, 2}, {"", 1, 1.0, 0.25, 2}, "idx\"idy\"idxdy");
    const Kinds kinds = RunRoad(unknown);
    EXPECT_EQ(kinds.derivatives, 0); // only the start lines stand
    EXPECT_EQ(kinds.total, kinds.integrals);
    EXPECT_GT(kinds.total, 0);
}

TEST(DistributionBadInput, UnknownIntegralNamesAndNoneAskForNoIntegral) {
    for (const char* asked : {"idq\"IDX\"none", "None", ""}) {
        Road3D road(kPlain, kPlain, kPlain, asked);
        const Kinds kinds = RunRoad(road);
        EXPECT_EQ(kinds.integrals, 0) << asked;
        EXPECT_GT(kinds.derivatives, 0) << asked;
    }
}

// Orders below 0 ask for no derivative, orders above 2 for both; the collocation join needs
// exactly 2.
TEST(DistributionBadInput, DerivativeOrdersOutsideZeroToTwo) {
    Road2D negative({"OCFE2", 1, 1.0, 0.125, -3}, {"OCFE2", 1, 1.0, 0.125, -1}, nullptr);
    EXPECT_EQ(RunRoad(negative).total, 0);
    Road2D three({"OCFE2", 1, 1.0, 0.125, 3}, {"OCFE2", 1, 1.0, 0.125, 3}, nullptr);
    Road2D two({"OCFE2", 1, 1.0, 0.125, 2}, {"OCFE2", 1, 1.0, 0.125, 2}, nullptr);
    const int withoutJoins = RunRoad(three).derivatives, withJoins = RunRoad(two).derivatives;
    EXPECT_GT(withoutJoins, 0);
    // 3 inner element starts in each direction: the X joins stand at all 9 Y nodes, the Y joins
    // at the 6 X nodes of the closed interior, which leaves the element starts out.
    EXPECT_EQ(withJoins - withoutJoins, 3 * 9 + 3 * 6);
}

// A spacing longer than the domain leaves the fewest nodes the method allows.
TEST(DistributionBadInput, TheSmallestGridOfEachMethod) {
    for (const char* method : kMethods) {
        const Axis smallest{method, 1, 1.0, 2.0, 2};
        Road3D road(smallest, smallest, smallest);
        EXPECT_GT(RunRoad(road).total, 0) << method;
    }
}

// Grids that the user fixed so that a method's stencil no longer fits: the grid is refused and
// nothing is registered, along each direction. Fixed node counts, polynomial points or section
// counts (-2147483648 is the host's one section [1..INT_MIN] = {1}, laid out beyond the ENDNODE
// 0 of no section); an INTERIOR node outside the grid, which the other directions' loops over
// the closed interior would walk; a later section of one node, where FFD2's last first
// derivative reaches the node before the section; a section that starts inside the one before.
// Wider elements than the method's are accepted: its equations reach only nodes of the element.
TEST(DistributionBadInput, UserFixedGridsThatNoLongerFitAreRefused) {
    constexpr int kAccepted = 1;
    const struct {
        Axis axis;
        void (*fix)(QV_DOMAIN&);
        int outcome;
        const char* integrals = DistributionKind<QV_DISTRIBUTION3D>::kAllIntegrals;
    } cases[] = {
        {{"CFD4", 1, 1.0, 0.1, 2},
         [](QV_DOMAIN& d) { d.NUMPOLYPOINTS.UserSet(1); },
         RefusedOutsideSection},
        {{"OCFE3", 1, 1.0, 0.1, 2},
         [](QV_DOMAIN& d) { d.NUMPOLYPOINTS.UserSet(1); },
         RefusedOutsideSection},
        {{"UBFD4", 1, 1.0, 0.5, 2},
         [](QV_DOMAIN& d) { d.MINNODECOUNT.UserSet(3); },
         RefusedUntiled},
        {{"OCFE4", 1, 1.0, 0.1, 2}, [](QV_DOMAIN& d) { d.NUMPOLYPOINTS.UserSet(5); }, kAccepted},
        // Element ends left out of INTERIOR: the second derivatives along the method stand at
        // every inner node, those across on the interior.
        {{"BFD1", 1, 1.0, 0.1, 2}, [](QV_DOMAIN& d) { d.NUMPOLYPOINTS.UserSet(2); }, kAccepted},
        {{"FFD1", 1, 1.0, 0.1, 2}, [](QV_DOMAIN& d) { d.NUMPOLYPOINTS.UserSet(1); }, kAccepted},
        {{"CFD2", INT_MIN, 1.0, 0.1, 2}, [](QV_DOMAIN&) {}, RefusedSectionOrder},
        {kPlain, [](QV_DOMAIN& d) { d.INTERIOR.UserSet(QV_IntSetValue(1, 17)); },
         RefusedOutsideSection},
        {kPlain, [](QV_DOMAIN& d) { d.INTERIOR.UserSet(QV_IntSetValue(-1, 3)); },
         RefusedOutsideSection},
        {{"FFD2", 2, 1.0, 0.125, 1},
         [](QV_DOMAIN& d) { (*d.SECTION)(2).NODECOUNT.UserSet(1); },
         RefusedOutsideSection,
         nullptr},
        {kPlain, [](QV_DOMAIN& d) { (*d.SECTION)(2).BASE.UserSet(7); }, RefusedSectionOrder},
    };
    for (const auto& c : cases) {
        for (int own = 0; own < 3; ++own) {
            SCOPED_TRACE(testing::Message()
                         << c.axis.method << " case " << (&c - cases) << " along "
                         << "xyz"[own]);
            Axis axes[3] = {kPlain, kPlain, kPlain};
            axes[own] = c.axis;
            Road3D road(axes[0], axes[1], axes[2], c.integrals);
            c.fix(*road.domain[own]);
            const int total = RunRoad(road).total;
            EXPECT_EQ(total > 0 ? kAccepted : total, c.outcome);
        }
    }
}

// "BFD1" assigns no polynomial points: after "OCFE3" the X domain keeps its 2, and with them an
// INTERIOR without the element ends 3 and 6. The grid is accepted: the X block writes a second
// derivative at every inner node, the Y block at the nodes of X's closed interior.
TEST(DistributionBadInput, InteriorLeftByAnEarlierCollocationMethod) {
    Road2D road({"OCFE3", 1, 1.0, 0.125, 2}, {"CFD2", 1, 1.0, 0.125, 2}, nullptr);
    ASSERT_GT(road.SetUp(), 0);
    road.domain[0]->DISCRETIZATIONMETHOD.UserSet("BFD1");
    ASSERT_GT(road.SetUp(), 0);
    ASSERT_EQ(road.EndNode(0), 9);
    ASSERT_EQ(road.EndNode(1), 8);
    road.Pattern();
    const QV_ModelType& d = *road.distribution;
    EXPECT_EQ(EquationsDefining(d, "D2DX2("), 8 * 9); // X nodes 1 .. 8, Y nodes 0 .. 8
    EXPECT_EQ(EquationsDefining(d, "D2DY2("), 8 * 7); // X nodes 0 1 2 4 5 7 8 9, Y nodes 1 .. 7
}

} // namespace
} // namespace norvane::test
