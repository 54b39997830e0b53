// The node grid on the worked examples and the cases at its edges: the settling second run,
// a user-held derivative order, P = 0, a minimum node count above the asked one, one and no
// sections, an unknown method and a method name in lower case.
#include <limits>

#include "tests/domain/domain_fixture.h"

namespace norvane::test {
namespace {

TEST(NodeGridExamples, Cfd4TwoSectionsSecondRun) {
    DomainUnderTest d;
    d.Method("CFD4").Sections(2).Run(2);
    const GridSnapshot g = d.Snapshot();

    EXPECT_EQ((*d->LENGTH).v(), 1.0);
    EXPECT_EQ((*d->SPACINGPREFERENCE).v(), 0.0625);
    EXPECT_EQ(g.minNodeCount, 4);
    EXPECT_EQ(g.polyPoints, 3);
    EXPECT_EQ(g.polyPoint, (std::vector<double>{0.25, 0.5, 0.75}));
    EXPECT_EQ(g.highestOrder, 1);
    ASSERT_EQ(g.sections.size(), 2u);
    const SectionSnapshot& s1 = g.sections[0];
    EXPECT_EQ(s1.location, 0.0);
    EXPECT_EQ(s1.length, 0.5);
    EXPECT_EQ(s1.nodeCount, 8);
    EXPECT_EQ(s1.base, 0);
    EXPECT_EQ(s1.spacingUsed, 0.0625);
    EXPECT_EQ(s1.numElements, 2);
    EXPECT_EQ(s1.elementLength, 0.0625);
    EXPECT_EQ(s1.interior, Range(1, 7));
    const SectionSnapshot& s2 = g.sections[1];
    EXPECT_EQ(s2.location, 0.5);
    EXPECT_EQ(s2.length, 0.5);
    EXPECT_EQ(s2.nodeCount, 8);
    EXPECT_EQ(s2.base, 8);
    EXPECT_EQ(s2.interior, Range(9, 15));
    EXPECT_EQ(g.interior, Range(1, 15));
    EXPECT_EQ(g.endNode, 16);
    for (int k = 0; k <= 16; ++k)
        EXPECT_EQ(g.nodes[k], k * 0.0625) << "node " << k;
    // The domain's interior comes from assignment 42, issued after 41.
    EXPECT_EQ(d->INTERIOR.LastAssignmentNumber(), 42);
}

TEST(NodeGridExamples, Ocfe3WithDerivativeOrderHeldAtTwo) {
    DomainUnderTest d;
    d.Method("OCFE3").Sections(2).HighestOrder(2).Run(2);
    const GridSnapshot g = d.Snapshot();

    EXPECT_EQ(g.minNodeCount, 3);
    EXPECT_EQ(g.polyPoints, 2);
    EXPECT_EQ(g.polyPoint, (std::vector<double>{0.21132, 0.78868}));
    EXPECT_EQ(g.highestOrder, 2);
    ASSERT_EQ(g.sections.size(), 2u);
    const SectionSnapshot& s1 = g.sections[0];
    EXPECT_EQ(s1.nodeCount, 9);
    EXPECT_EQ(s1.numElements, 3);
    EXPECT_EQ(s1.spacingUsed, 0.5 / 9);
    EXPECT_EQ(s1.elementLength, 3 * (0.5 / 9));
    EXPECT_EQ(s1.interior, (std::vector<int>{1, 2, 4, 5, 7, 8}));
    EXPECT_EQ(g.sections[1].base, 9);
    EXPECT_EQ(g.sections[1].interior, (std::vector<int>{10, 11, 13, 14, 16, 17}));
    EXPECT_EQ(g.endNode, 18);
    EXPECT_EQ(g.interior, (std::vector<int>{1, 2, 4, 5, 7, 8, 10, 11, 13, 14, 16, 17}));
    EXPECT_EQ(d->INTERIOR.LastAssignmentNumber(), 41);
    EXPECT_EQ(s1.interior.size(), 6u);
    EXPECT_EQ(d.Section(1).INTERIOR.LastAssignmentNumber(), 39);

    // Node locations by 47 and 48 at the short decimals, bit for bit.
    const std::vector<double> expected = {0.0,
                                          0.03521999999999999,
                                          0.13144666666666666,
                                          0.16666666666666666,
                                          0.2018866666666667,
                                          0.29811333333333334,
                                          0.3333333333333333,
                                          0.36855333333333334,
                                          0.46478,
                                          0.5,
                                          0.53522,
                                          0.6314466666666667,
                                          0.6666666666666666,
                                          0.7018866666666667,
                                          0.7981133333333333,
                                          0.8333333333333333,
                                          0.8685533333333333,
                                          0.96478,
                                          1.0};
    EXPECT_EQ(g.nodes, expected);
}

// The first run reads section 2's location from before the run (0 on a new domain); the
// second run settles the grid and a third changes nothing.
TEST(NodeGridExamples, FirstRunReadsTheNextLocationFromBefore) {
    DomainUnderTest d;
    d.Method("CFD4").Sections(2).Run(1);
    const GridSnapshot first = d.Snapshot();
    ASSERT_EQ(first.sections.size(), 2u);
    EXPECT_EQ(first.sections[0].length, 0.0);
    EXPECT_EQ(first.sections[0].nodeCount, 4); // n = 0 is below the minimum
    EXPECT_EQ(first.sections[1].location, 0.5);
    EXPECT_EQ(first.sections[1].base, 4);
    EXPECT_EQ(first.sections[1].nodeCount, 8);
    EXPECT_EQ(first.endNode, 12);

    d.Run(1);
    const GridSnapshot second = d.Snapshot();
    EXPECT_EQ(second.endNode, 16);
    EXPECT_EQ(second.sections[0].length, 0.5);
    d.Run(1);
    EXPECT_EQ(d.Snapshot(), second);
}

TEST(NodeGridEdgeCases, LowerCaseMethodBehavesAsUpperCase) {
    DomainUnderTest lower, upper;
    lower.Method("cfd4").Sections(2).Run(2);
    upper.Method("CFD4").Sections(2).Run(2);
    EXPECT_EQ(lower.Snapshot(), upper.Snapshot());
    EXPECT_EQ(lower->MINNODECOUNT.LastAssignmentNumber(), 8);
    EXPECT_EQ(lower->NUMPOLYPOINTS.LastAssignmentNumber(), 20);
}

TEST(NodeGridEdgeCases, AskedCountRoundedUpToWholeElements) {
    // n = 9 with P = 3 gives 12; n = 8 gives 8.
    DomainUnderTest nine, eight;
    nine.Method("CFD4").Spacing(1.0 / 9).Run(1);
    eight.Method("CFD4").Spacing(0.125).Run(1);
    EXPECT_EQ(nine.Section(1).NODECOUNT.v(), 12);
    EXPECT_EQ(nine.Section(1).NODECOUNT.LastAssignmentNumber(), 31);
    EXPECT_EQ(eight.Section(1).NODECOUNT.v(), 8);
}

// Below the minimum the count is M exactly, not a multiple of P + 1: a minimum held at 5
// with P = 3 leaves one node of the section without a location.
TEST(NodeGridEdgeCases, CountBelowTheMinimum) {
    DomainUnderTest d;
    d.Method("CFD4").Spacing(0.5).Run(1);
    EXPECT_EQ(d.Section(1).NODECOUNT.v(), 4);
    EXPECT_EQ(d.Section(1).NODECOUNT.LastAssignmentNumber(), 30);

    DomainUnderTest held;
    held->MINNODECOUNT.UserSet(5);
    held.Method("CFD4").Spacing(0.5).Run(2);
    EXPECT_EQ(held.Section(1).NODECOUNT.v(), 5);
    EXPECT_EQ(held.Section(1).NUMELEMENTS.v(), 1);
    EXPECT_EQ(held->ENDNODE.v(), 5);
    EXPECT_TRUE(HasElement(*held->VALUE, 4));
    EXPECT_FALSE(HasElement(*held->VALUE, 5));
}

TEST(NodeGridEdgeCases, OneSection) {
    DomainUnderTest d;
    d.Method("BFD2").Length(3.0).Run(1);
    const GridSnapshot g = d.Snapshot();
    ASSERT_EQ(g.sections.size(), 1u);
    EXPECT_EQ(g.sections[0].length, (0.0 + 3.0) - 0.0);
    EXPECT_EQ(d.Section(1).LENGTH.LastAssignmentNumber(), 28);
    // One run already gives the settled grid.
    d.Run(1);
    EXPECT_EQ(d.Snapshot(), g);
}

TEST(NodeGridEdgeCases, NoSections) {
    DomainUnderTest d;
    d.Method("CFD4").Sections(0).Run(2);
    EXPECT_EQ((*d->SPACINGPREFERENCE).v(), std::numeric_limits<double>::infinity());
    EXPECT_EQ(d->ENDNODE.v(), 0);
    EXPECT_TRUE(Members(d->INTERIOR.v()).empty());
    EXPECT_EQ(d->INTERIOR.LastAssignmentNumber(), 42);
    EXPECT_TRUE(Members(d->QV_SECTION_SET1.v()).empty());
    EXPECT_EQ(Members(d->QV_VALUE_SET1.v()), Range(0, 0));
    // Assignments 25 and 44 still address section 1.
    EXPECT_EQ((*d.Section(1).LOCATION).LastAssignmentNumber(), 25);
    EXPECT_EQ((*d->VALUE)(0).v(), 0.0);
    EXPECT_EQ((*d->VALUE)(0).LastAssignmentNumber(), 44);
}

TEST(NodeGridEdgeCases, UnknownMethodOnANewDomain) {
    DomainUnderTest d;
    d.Method("RK45").Run(2);
    EXPECT_EQ(d->MINNODECOUNT.LastAssignmentNumber(), 0);
    EXPECT_EQ(d->NUMPOLYPOINTS.LastAssignmentNumber(), 0);
    const GridSnapshot g = d.Snapshot();
    EXPECT_EQ(g.minNodeCount, 0);
    EXPECT_EQ(g.polyPoints, 0);
    EXPECT_EQ(g.sections[0].nodeCount, 8);
    EXPECT_EQ(g.sections[0].elementLength, g.sections[0].spacingUsed);
    EXPECT_EQ((*d->VALUE)(8).LastAssignmentNumber(), 48);
}

// A method changed to an unknown name keeps what the last known one assigned (P = 1 and its
// point from "OCFE2"): the element length is (P + 1) spacings and the nodes come from 47, 48.
TEST(NodeGridEdgeCases, UnknownMethodKeepsTheLastPoints) {
    DomainUnderTest d;
    d.Method("OCFE2").Run(2);
    d.Method("none of them").Run(2);
    const GridSnapshot g = d.Snapshot();
    EXPECT_EQ(g.minNodeCount, 2);
    EXPECT_EQ(g.polyPoints, 1);
    EXPECT_EQ(g.polyPoint, std::vector<double>{0.5});
    const SectionSnapshot& s = g.sections[0];
    EXPECT_EQ(s.elementLength, 2.0 * s.spacingUsed);
    EXPECT_EQ(d.Section(1).ELEMENTLENGTH.LastAssignmentNumber(), 37);
    EXPECT_EQ((*d->VALUE)(1).LastAssignmentNumber(), 47);
    EXPECT_EQ((*d->VALUE)(2).LastAssignmentNumber(), 48);
}

} // namespace
} // namespace norvane::test
