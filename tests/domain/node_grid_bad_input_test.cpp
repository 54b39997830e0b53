// Inputs that make no sensible grid: the domain rejects none of them, and none of them crashes,
// overruns or leaks. Counts and node numbers that leave 32 bits, and factories whose
// allocations fail.
#include <cmath>
#include <limits>

#include "tests/domain/domain_fixture.h"

namespace norvane::test {
namespace {

constexpr int Sentinel = std::numeric_limits<int>::min();
const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

TEST(NodeGridBadInput, NegativeSectionCount) {
    DomainUnderTest d;
    d.Method("OCFE3").Sections(-3).Run(2);
    EXPECT_EQ((*d->SPACINGPREFERENCE).v(), 0.125 / -3.0);
    EXPECT_EQ(d->ENDNODE.v(), 0);
    EXPECT_TRUE(Members(d->INTERIOR.v()).empty());
    EXPECT_TRUE(Members(d->QV_SECTION_SET1.v()).empty());
    EXPECT_EQ((*d->VALUE)(0).v(), 0.0);
}

// A length of zero gives sections of no length: each gets the minimum count of nodes, all at 0.
TEST(NodeGridBadInput, ZeroLength) {
    DomainUnderTest d;
    d.Method("CFD4").Sections(2).Length(0.0).Run(2);
    const GridSnapshot g = d.Snapshot();
    EXPECT_EQ(g.sections[0].nodeCount, 4); // 0 / 0 is NaN: the minimum
    EXPECT_EQ(g.sections[1].nodeCount, 4);
    EXPECT_EQ(g.endNode, 8);
    for (double x : g.nodes)
        EXPECT_EQ(x, 0.0);
}

// With the default spacing a negative length lays the grid out leftwards, from 0 to -1.
TEST(NodeGridBadInput, NegativeLength) {
    DomainUnderTest d;
    d.Method("FFD2").Sections(2).Length(-1.0).Run(2);
    const GridSnapshot g = d.Snapshot();
    EXPECT_EQ(g.endNode, 16);
    EXPECT_EQ(g.nodes.front(), 0.0);
    EXPECT_EQ(g.nodes.back(), -1.0);
    for (std::size_t k = 1; k < g.nodes.size(); ++k)
        EXPECT_GT(g.nodes[k - 1], g.nodes[k]);

    // Against a positive spacing every section asks for a negative count: the minimum.
    DomainUnderTest held;
    held.Method("FFD2").Sections(2).Length(-1.0).Spacing(0.0625).Run(2);
    EXPECT_EQ(held.Section(1).NODECOUNT.v(), 2);
    EXPECT_EQ(held->ENDNODE.v(), 4);
}

TEST(NodeGridBadInput, InfiniteAndNotANumberLength) {
    for (double length : {Inf, -Inf, NaN}) {
        DomainUnderTest d;
        d.Method("OCFE4").Sections(3).Length(length).Run(2);
        EXPECT_EQ(d->ENDNODE.v(), 12) << length; // every section at its minimum of 4
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ(d.Section(i).NODECOUNT.v(), 4) << length;
        EXPECT_EQ(Members(d->INTERIOR.v()), Range(1, 11));
        d.Snapshot(); // every node 0 .. ENDNODE has a location
    }
}

TEST(NodeGridBadInput, ZeroSpacing) {
    DomainUnderTest d;
    d.Method("UBFD4").Sections(2).Spacing(0.0).Run(2);
    EXPECT_EQ(d.Section(1).NODECOUNT.v(), 4);
    EXPECT_EQ(d.Section(1).NODECOUNT.LastAssignmentNumber(), 30);
    EXPECT_EQ(d->ENDNODE.v(), 8);
    const GridSnapshot g = d.Snapshot();
    EXPECT_EQ(g.nodes.back(), 1.0);
}

TEST(NodeGridBadInput, UnknownMethodHeldByTheUser) {
    DomainUnderTest d;
    d.Method("").Sections(2).Run(2);
    EXPECT_EQ(d->MINNODECOUNT.LastAssignmentNumber(), 0);
    EXPECT_EQ(d->ENDNODE.v(), 16);
    d.Snapshot();
}

// n = 2^31 - 1 with P = 3: n + P and the count rounded up to whole elements leave 32 bits.
// The count is the sentinel (not a wrapped-around count), the section has no elements, and no
// range is built from it.
TEST(NodeGridBadInput, CountBeyond32BitsIsTheSentinel) {
    DomainUnderTest d;
    d.Method("CFD4").Length(2147483647.0).Spacing(1.0).Run(2);
    QV_SECTIONDATAMODEL& s = d.Section(1);
    EXPECT_EQ(s.NODECOUNT.v(), Sentinel);
    EXPECT_EQ(s.NUMELEMENTS.v(), -536870912);
    EXPECT_TRUE(Members(s.INTERIOR.v()).empty());
    EXPECT_EQ(d->ENDNODE.v(), Sentinel);
    EXPECT_TRUE(Members(d->INTERIOR.v()).empty());
    EXPECT_TRUE(Members(d->QV_VALUE_SET1.v()).empty());
    EXPECT_TRUE(HasElement(*d->VALUE, 0));
    EXPECT_FALSE(HasElement(*d->VALUE, 1));
}

// Node numbers past 2^31 - 1 name no node: with section 1 held at 2147483646 nodes in one
// element, section 2 starts at node 2147483646, and only its first inner point can be placed.
TEST(NodeGridBadInput, NodeNumbersBeyond32BitsAreLeftOut) {
    DomainUnderTest d;
    d.Section(1).NODECOUNT.UserSet(2147483646);
    d.Section(1).NUMELEMENTS.UserSet(1);
    d.Method("OCFE3").Sections(2).HighestOrder(2).Run(2);
    EXPECT_EQ(d.Section(2).BASE.v(), 2147483646);
    EXPECT_EQ(d.Section(2).NUMELEMENTS.v(), 3);
    EXPECT_EQ(Members(d.Section(1).INTERIOR.v()), (std::vector<int>{1, 2}));
    EXPECT_EQ(Members(d.Section(2).INTERIOR.v()), std::vector<int>{2147483647});
    EXPECT_EQ(Members(d->INTERIOR.v()), (std::vector<int>{1, 2, 2147483647}));
    EXPECT_EQ(d->ENDNODE.v(), Sentinel);
    EXPECT_TRUE(HasElement(*d->VALUE, 2147483647));
    EXPECT_EQ((*d->VALUE)(2147483647).v(),
              (*d.Section(2).LOCATION).v() +
                  ((1.0 + 0.21132) + (-1.0)) * d.Section(2).ELEMENTLENGTH.v());
    EXPECT_EQ((*d->VALUE).m_Elements.Elements(), 5u); // nodes 0 .. 3 and 2147483647
}

// Every allocation of a factory call fails in turn: the factory gives null or an object that
// works, and nothing is left once it is released.
TEST(NodeGridBadInput, FactoriesUnderFailingAllocation) {
    QV_DOMAIN* (*factories[])() = {&DOMAINFactory, &MakeLengthDomain, &MakeAngleDomain};
    for (auto factory : factories) {
        const long before = qvhost::LiveBlocks();
        const long start = qvhost::AllocationCalls();
        factory()->Release();
        const long calls = qvhost::AllocationCalls() - start;
        ASSERT_GT(calls, 1);
        for (long k = 1; k <= calls; ++k) {
            qvhost::FailAllocation(k);
            QV_DOMAIN* d = factory();
            qvhost::FailAllocation(0);
            if (d) {
                d->NUMSECTIONS.UserSet(2);
                d->DISCRETIZATIONMETHOD.UserSet("CFD4");
                d->SetDims();
                d->ExecuteAssignments(3, 0);
                d->ExecuteAssignments(3, 0);
                EXPECT_EQ(d->ENDNODE.v(), 16) << "allocation " << k;
                EXPECT_EQ(d->PropertyCount(), 18) << "allocation " << k;
                d->Release();
            } else {
                EXPECT_EQ(k, 1) << "only the object's own block is fatal";
            }
            EXPECT_EQ(qvhost::LiveBlocks(), before) << "allocation " << k;
        }
    }
}

TEST(NodeGridBadInput, SectionRecordFactoryUnderFailingAllocation) {
    const long before = qvhost::LiveBlocks();
    const long start = qvhost::AllocationCalls();
    SECTIONDATAMODELFactory()->Release();
    const long calls = qvhost::AllocationCalls() - start;
    for (long k = 1; k <= calls; ++k) {
        qvhost::FailAllocation(k);
        QV_SECTIONDATAMODEL* s = SECTIONDATAMODELFactory();
        qvhost::FailAllocation(0);
        if (s) {
            (*s->LOCATION).UserSet(0.5);
            EXPECT_EQ((*s->LOCATION).v(), 0.5);
            s->Release();
        }
        EXPECT_EQ(qvhost::LiveBlocks(), before) << "allocation " << k;
    }
}

} // namespace
} // namespace norvane::test
