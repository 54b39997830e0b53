// The grid of every method on a domain of three sections: consistent section records, node
// locations strictly increasing from 0 to LENGTH and equal to their formulas bit for bit, the
// interior sets for both derivative orders, and a grid that a further run leaves as it is.
#include <string>

#include "tests/domain/domain_fixture.h"

namespace norvane::test {
namespace {

struct Method {
    const char* name;
    int minNodes;
    std::vector<double> points;
    bool oneSpacing; // element length is one node spacing
};

const Method Methods[] = {
    {"BFD1", 2, {}, false},
    {"BFD2", 2, {0.5}, true},
    {"CFD2", 2, {0.5}, true},
    {"CFD4", 4, {0.25, 0.5, 0.75}, true},
    {"FFD1", 2, {}, false},
    {"FFD2", 2, {0.5}, true},
    {"OCFE2", 2, {0.5}, false},
    {"OCFE3", 3, {0.21132, 0.78868}, false},
    {"OCFE4", 4, {0.1127, 0.5, 0.8873}, false},
    {"UBFD4", 4, {0.25, 0.5, 0.75}, true},
};

constexpr int SectionCount = 3;
constexpr double DomainLength = 1.2;

class NodeGridMethods : public ::testing::TestWithParam<Method> {
protected:
    int P() const { return static_cast<int>(GetParam().points.size()); }

    // The grid after the settling second run, with the derivative order held at `order`
    // (0: not held).
    GridSnapshot Settled(DomainUnderTest& d, int order) {
        d.Method(GetParam().name).Sections(SectionCount).Length(DomainLength).Spacing(0.05);
        if (order != 0) d.HighestOrder(order);
        d.Run(2);
        return d.Snapshot();
    }

    // Node locations by their formulas from the section records and the points.
    std::vector<double> ExpectedNodes(const GridSnapshot& g) const {
        const double scale = GetParam().oneSpacing ? P() + 1.0 : 1.0;
        std::vector<double> nodes{g.sections[0].location};
        for (const SectionSnapshot& s : g.sections) {
            for (int e = 1; e <= s.numElements; ++e) {
                for (double point : g.polyPoint) {
                    const double offset =
                        ((static_cast<double>(e) + point) + (-1.0)) * s.elementLength;
                    nodes.push_back(GetParam().oneSpacing ? s.location + offset * scale
                                                          : s.location + offset);
                }
                const double reach = static_cast<double>(e) * s.elementLength;
                nodes.push_back(GetParam().oneSpacing ? s.location + reach * scale
                                                      : s.location + reach);
            }
        }
        return nodes;
    }
};

TEST_P(NodeGridMethods, SectionsAreConsistent) {
    DomainUnderTest d;
    const GridSnapshot g = Settled(d, 0);
    const Method& m = GetParam();
    EXPECT_EQ(g.minNodeCount, m.minNodes);
    EXPECT_EQ(g.polyPoints, P());
    EXPECT_EQ(g.polyPoint, m.points);
    ASSERT_EQ(g.sections.size(), static_cast<std::size_t>(SectionCount));

    int base = 0;
    for (int i = 1; i <= SectionCount; ++i) {
        const SectionSnapshot& s = g.sections[i - 1];
        SCOPED_TRACE("section " + std::to_string(i));
        EXPECT_EQ(s.location, 0.0 + (static_cast<double>(i - 1) * DomainLength) / SectionCount);
        const double next = i < SectionCount ? g.sections[i].location : 0.0 + DomainLength;
        EXPECT_EQ(s.length, next - s.location);
        EXPECT_EQ(s.spacingPreference, 0.05);
        EXPECT_EQ(s.base, base);
        EXPECT_GE(s.nodeCount, m.minNodes);
        EXPECT_EQ(s.nodeCount % (P() + 1), 0);
        EXPECT_EQ(s.numElements * (P() + 1), s.nodeCount);
        EXPECT_EQ(s.spacingUsed, s.length / s.nodeCount);
        const bool oneSpacing = P() == 0 || m.oneSpacing;
        EXPECT_EQ(s.elementLength, oneSpacing ? s.spacingUsed : (P() + 1.0) * s.spacingUsed);
        EXPECT_EQ(s.interior, Range(s.base + 1, s.base + s.nodeCount - 1));
        base += s.nodeCount;
    }
    EXPECT_EQ(g.endNode, base);
    EXPECT_EQ(g.interior, Range(1, g.endNode - 1));
    EXPECT_EQ(Members(d->QV_SECTION_SET1.v()), Range(1, SectionCount));
    EXPECT_EQ(Members(d->QV_VALUE_SET1.v()), Range(0, g.endNode));
    EXPECT_EQ(Members(d->QV_POLYPOINT_SET1.v()), Range(1, P()));
}

TEST_P(NodeGridMethods, NodesIncreaseFromZeroToTheLength) {
    DomainUnderTest d;
    const GridSnapshot g = Settled(d, 0);
    ASSERT_GE(g.nodes.size(), 2u);
    EXPECT_EQ(g.nodes.front(), 0.0);
    EXPECT_NEAR(g.nodes.back(), DomainLength, 1e-12);
    for (std::size_t k = 1; k < g.nodes.size(); ++k)
        EXPECT_LT(g.nodes[k - 1], g.nodes[k]) << "node " << k;
    for (const SectionSnapshot& s : g.sections)
        EXPECT_NEAR(g.nodes[s.base], s.location, 1e-12) << "node " << s.base;
    EXPECT_EQ(g.nodes, ExpectedNodes(g));
}

TEST_P(NodeGridMethods, InteriorWithSecondDerivatives) {
    DomainUnderTest d;
    const GridSnapshot g = Settled(d, 2);
    EXPECT_EQ(g.highestOrder, 2);
    const bool innerPointsOnly = P() != 0 && !GetParam().oneSpacing;
    std::vector<int> all;
    for (const SectionSnapshot& s : g.sections) {
        std::vector<int> expected;
        if (innerPointsOnly) {
            for (int e = 1; e <= s.numElements; ++e)
                for (int p = 1; p <= P(); ++p)
                    expected.push_back(s.base + (e - 1) * (P() + 1) + p);
        } else {
            expected = Range(s.base + 1, s.base + s.nodeCount - 1);
        }
        EXPECT_EQ(s.interior, expected) << "section at node " << s.base;
        all.insert(all.end(), expected.begin(), expected.end());
    }
    // The union of the sections' sets: the section ends are not interior.
    EXPECT_EQ(g.interior, all);
    EXPECT_EQ(d->INTERIOR.LastAssignmentNumber(), 41);
    EXPECT_EQ(d.Section(1).INTERIOR.LastAssignmentNumber(), innerPointsOnly ? 39 : 38);
}

TEST_P(NodeGridMethods, AFurtherRunChangesNothing) {
    DomainUnderTest d;
    const GridSnapshot settled = Settled(d, 0);
    d.Run(1);
    EXPECT_EQ(d.Snapshot(), settled);
    const long blocks = qvhost::LiveBlocks();
    d.Run(1);
    EXPECT_EQ(qvhost::LiveBlocks(), blocks) << "a run on a settled grid makes no new objects";
}

TEST_P(NodeGridMethods, AssignmentNumbersOfTheMethod) {
    DomainUnderTest d;
    Settled(d, 0);
    const std::string name = GetParam().name;
    const int minimum = name == "OCFE3" ? 7 : GetParam().minNodes == 4 ? 8 : 6;
    EXPECT_EQ(d->MINNODECOUNT.LastAssignmentNumber(), minimum);
    int points = 0; // the number of the NUMPOLYPOINTS assignment; 0: none
    if (name == "OCFE2") points = 9;
    if (name == "BFD2" || name == "FFD2" || name == "CFD2") points = 11;
    if (name == "OCFE3") points = 13;
    if (name == "OCFE4") points = 16;
    if (name == "CFD4" || name == "UBFD4") points = 20;
    EXPECT_EQ(d->NUMPOLYPOINTS.LastAssignmentNumber(), points);
    for (int p = 1; p <= P(); ++p)
        EXPECT_EQ(d->POLYPOINT(p).LastAssignmentNumber(), points + p);
    const bool oneSpacing = GetParam().oneSpacing;
    EXPECT_EQ(d.Section(1).ELEMENTLENGTH.LastAssignmentNumber(), P() == 0 || oneSpacing ? 36 : 37);
    if (P() > 0) {
        EXPECT_EQ((*d->VALUE)(1).LastAssignmentNumber(), oneSpacing ? 45 : 47);
    }
    EXPECT_EQ((*d->VALUE)(P() + 1).LastAssignmentNumber(), oneSpacing ? 46 : 48);
}

INSTANTIATE_TEST_SUITE_P(AllMethods, NodeGridMethods, ::testing::ValuesIn(Methods),
                         [](const ::testing::TestParamInfo<Method>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace norvane::test
