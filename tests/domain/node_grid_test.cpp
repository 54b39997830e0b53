// The node grid on the worked examples and at its edges: the first run against the settled
// second, the node count rounded or raised, one and no sections, lower-case and unknown methods.
#include "tests/domain/domain_fixture.h"

namespace norvane::test {
namespace {

// The user holds the derivative order at 2: only the points inside elements are interior.
TEST(NodeGridExamples, Ocfe3WithDerivativeOrderHeldAtTwo) {
    DomainUnderTest d;
    d.Method("OCFE3").Sections(2).HighestOrder(2).Run(2);
    EXPECT_EQ(d.Section(1).NODECOUNT.v(), 9);
    EXPECT_EQ(Members(d.Section(1).INTERIOR.v()), (std::vector<int>{1, 2, 4, 5, 7, 8}));
    EXPECT_EQ(Members(d.Section(2).INTERIOR.v()), (std::vector<int>{10, 11, 13, 14, 16, 17}));
    EXPECT_EQ(Members(d->INTERIOR.v()),
              (std::vector<int>{1, 2, 4, 5, 7, 8, 10, 11, 13, 14, 16, 17}));
    // ENDNODE 18; at the short decimals 0.21132 and 0.78868, bit for bit.
    // clang-format off
    const std::vector<double> expected = {
        0.0, 0.03521999999999999, 0.13144666666666666, 0.16666666666666666, 0.2018866666666667,
        0.29811333333333334, 0.3333333333333333, 0.36855333333333334, 0.46478, 0.5, 0.53522,
        0.6314466666666667, 0.6666666666666666, 0.7018866666666667, 0.7981133333333333,
        0.8333333333333333, 0.8685533333333333, 0.96478, 1.0};
    // clang-format on
    EXPECT_EQ(d.Nodes(), expected);
}

// A section's length reads the next section's location as the previous run left it (0 on a new
// domain): the first run is off; the second settles.
TEST(NodeGridExamples, FirstRunAgainstTheSettledSecond) {
    DomainUnderTest d;
    d.Method("CFD4").Sections(2).Run(1);
    EXPECT_EQ(d.Section(1).LENGTH.v(), 0.0);
    EXPECT_EQ(d.Section(1).NODECOUNT.v(), 4); // n = 0 is below the minimum
    EXPECT_EQ(d.Section(1).NODECOUNT.LastAssignmentNumber(), 30);
    EXPECT_EQ(d->ENDNODE.v(), 12);
}

// One section settles in one run. Below the minimum M the count is M exactly, not whole
// elements: a minimum held at 5 with P = 3 leaves a node that no element places.
TEST(NodeGridEdgeCases, OneSectionAndItsNodeCount) {
    DomainUnderTest nine, held;
    nine.Method("CFD4").Spacing(1.0 / 9).Run(1);
    EXPECT_EQ(nine.Section(1).NODECOUNT.LastAssignmentNumber(), 31);
    const std::vector<double> first = nine.Grid();
    EXPECT_EQ(nine.Run(1).Grid(), first);

    held->MINNODECOUNT.UserSet(5);
    held.Method("CFD4").Spacing(0.5).Run(2);
    EXPECT_EQ(held.Section(1).NODECOUNT.v(), 5);
    EXPECT_EQ(held->ENDNODE.v(), 5);
    EXPECT_FALSE(HasElement(*held->VALUE, 5));
}

// No sections, or a negative count: no node but node 0, which still takes section 1's location.
TEST(NodeGridEdgeCases, NoSections) {
    for (int n : {0, -3}) {
        DomainUnderTest d;
        d.Method("OCFE3").Sections(n).Run(2);
        EXPECT_EQ((*d->SPACINGPREFERENCE).v(), 0.125 / n);
        EXPECT_TRUE(Members(d->INTERIOR.v()).empty());
        EXPECT_TRUE(Members(d->QV_SECTION_SET1.v()).empty());
        EXPECT_EQ(d.Nodes(), std::vector<double>{0.0});
        EXPECT_EQ((*d->VALUE)(0).LastAssignmentNumber(), 44);
    }
}

// A method name in lower case is the method. An unknown one assigns no minimum and no points:
// on a new domain P stays 0; after a known method its points stay, laid out as collocation.
TEST(NodeGridEdgeCases, MethodNames) {
    DomainUnderTest lower, upper, fresh, changed;
    lower.Method("ocfe3").Sections(2).Run(2);
    upper.Method("OCFE3").Sections(2).Run(2);
    EXPECT_EQ(lower.Grid(), upper.Grid());
    fresh.Method("RK45").Sections(2).Run(2);
    EXPECT_EQ(fresh->MINNODECOUNT.LastAssignmentNumber(), 0);
    EXPECT_EQ(fresh->NUMPOLYPOINTS.v(), 0);
    EXPECT_EQ(fresh.Nodes().size(), 17u); // 8 a section
    changed.Method("OCFE2").Run(2);
    changed.Method("none of them").Run(2);
    QV_SECTIONDATAMODEL& s = changed.Section(1);
    EXPECT_EQ(s.ELEMENTLENGTH.v(), 2.0 * (*s.SPACINGUSED).v());
    EXPECT_EQ((*changed->VALUE)(1).LastAssignmentNumber(), 47);
    EXPECT_EQ(changed.Nodes().back(), 1.0);
}

} // namespace
} // namespace norvane::test
