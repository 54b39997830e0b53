// The grid of every method on three sections of a domain 1.2 long, after the settling run.
#include <string>

#include "tests/domain/domain_fixture.h"

namespace norvane::test {
namespace {

struct Method {
    const char* name;
    int minNodes, minNumber; // MINNODECOUNT and the number of its assignment
    std::vector<double> points;
    int pointsNumber; // the number of the NUMPOLYPOINTS assignment; 0: none
    bool oneSpacing;  // a finite difference with points: ELEMENTLENGTH is one node spacing
};

// clang-format off
const Method Methods[] = {
    {"BFD1", 2, 6, {}, 0, false},     {"BFD2", 2, 6, {0.5}, 11, true},
    {"CFD2", 2, 6, {0.5}, 11, true},  {"CFD4", 4, 8, {0.25, 0.5, 0.75}, 20, true},
    {"FFD1", 2, 6, {}, 0, false},     {"FFD2", 2, 6, {0.5}, 11, true},
    {"OCFE2", 2, 6, {0.5}, 9, false}, {"OCFE3", 3, 7, {0.21132, 0.78868}, 13, false},
    {"OCFE4", 4, 8, {0.1127, 0.5, 0.8873}, 16, false},
    {"UBFD4", 4, 8, {0.25, 0.5, 0.75}, 20, true}};
// clang-format on

constexpr int Sections = 3;
constexpr double Length = 1.2;

class NodeGridMethods : public ::testing::TestWithParam<Method> {
protected:
    NodeGridMethods() : m(GetParam()), P(static_cast<int>(m.points.size())) {}
    const Method& m;
    const int P;
    DomainUnderTest d;
};

// Consistent sections; nodes increasing from 0 to the length, inner nodes at the points' fractions
// of their element; no change on a further run; at order 2, collocation ends not interior.
TEST_P(NodeGridMethods, SettledGrid) {
    d.Method(m.name).Sections(Sections).Length(Length).Spacing(0.05).Run(2);
    EXPECT_EQ(d->MINNODECOUNT.v(), m.minNodes);
    EXPECT_EQ(d->MINNODECOUNT.LastAssignmentNumber(), m.minNumber);
    EXPECT_EQ(d->NUMPOLYPOINTS.LastAssignmentNumber(), m.pointsNumber);
    ASSERT_EQ(d->NUMPOLYPOINTS.v(), P);
    for (int p = 1; p <= P; ++p) {
        EXPECT_EQ(d->POLYPOINT(p).v(), m.points[p - 1]);
        EXPECT_EQ(d->POLYPOINT(p).LastAssignmentNumber(), m.pointsNumber + p);
    }
    const std::vector<double> x = d.Nodes();
    int base = 0;
    for (int i = 1; i <= Sections; ++i) {
        SCOPED_TRACE("section " + std::to_string(i));
        QV_SECTIONDATAMODEL& s = d.Section(i);
        const double next = i < Sections ? (*d.Section(i + 1).LOCATION).v() : Length;
        EXPECT_NEAR((*s.LOCATION).v(), (i - 1) * Length / Sections, 1e-15);
        EXPECT_EQ(s.LENGTH.v(), next - (*s.LOCATION).v());
        EXPECT_EQ(s.BASE.v(), base);
        EXPECT_GE(s.NODECOUNT.v(), m.minNodes);
        EXPECT_EQ(s.NUMELEMENTS.v() * (P + 1), s.NODECOUNT.v());
        EXPECT_NEAR((*s.SPACINGUSED).v() * s.NODECOUNT.v(), s.LENGTH.v(), 1e-15);
        EXPECT_EQ(Members(s.INTERIOR.v()), Range(base + 1, base + s.NODECOUNT.v() - 1));
        EXPECT_NEAR(x.at(base), (*s.LOCATION).v(), 1e-12);
        const int span = m.oneSpacing ? 1 : P + 1; // nodes that ELEMENTLENGTH spans
        EXPECT_NEAR(x.at(base + span) - x[base], s.ELEMENTLENGTH.v(), 1e-12);
        base += s.NODECOUNT.v();
    }
    ASSERT_EQ(d->ENDNODE.v(), base);
    EXPECT_EQ(Members(d->INTERIOR.v()), Range(1, base - 1));
    EXPECT_EQ(d->INTERIOR.LastAssignmentNumber(), 42);
    EXPECT_EQ(Members(d->QV_SECTION_SET1.v()), Range(1, Sections));
    EXPECT_EQ(Members(d->QV_VALUE_SET1.v()), Range(0, base));
    EXPECT_EQ(Members(d->QV_POLYPOINT_SET1.v()), Range(1, P));

    EXPECT_EQ(x.front(), 0.0);
    EXPECT_NEAR(x.back(), Length, 1e-12);
    for (int k = 1; k <= base; ++k)
        EXPECT_LT(x[k - 1], x[k]) << "node " << k;
    for (int start = 0; start + P < base; start += P + 1)
        for (int p = 1; p <= P; ++p)
            EXPECT_NEAR(x[start + p], x[start] + m.points[p - 1] * (x[start + P + 1] - x[start]),
                        1e-12);
    EXPECT_EQ((*d->VALUE)(1).LastAssignmentNumber(), P == 0 ? 48 : m.oneSpacing ? 45 : 47);
    EXPECT_EQ((*d->VALUE)(P + 1).LastAssignmentNumber(), m.oneSpacing ? 46 : 48);

    const std::vector<double> settled = d.Grid();
    const long blocks = qvhost::LiveBlocks();
    EXPECT_EQ(d.Run(1).Grid(), settled);
    EXPECT_EQ(qvhost::LiveBlocks(), blocks) << "a run on a settled grid makes no new objects";

    d.HighestOrder(2).Run(1);
    const bool collocation = P != 0 && !m.oneSpacing;
    std::vector<int> all;
    for (int i = 1; i <= Sections; ++i) {
        QV_SECTIONDATAMODEL& s = d.Section(i);
        std::vector<int> expected;
        for (int k = 1; k < s.NODECOUNT.v(); ++k)
            if (!collocation || k % (P + 1) != 0) expected.push_back(s.BASE.v() + k);
        EXPECT_EQ(Members(s.INTERIOR.v()), expected) << "section " << i;
        EXPECT_EQ(s.INTERIOR.LastAssignmentNumber(), collocation ? 39 : 38);
        all.insert(all.end(), expected.begin(), expected.end());
    }
    EXPECT_EQ(Members(d->INTERIOR.v()), all);
    EXPECT_EQ(d->INTERIOR.LastAssignmentNumber(), 41);
}

INSTANTIATE_TEST_SUITE_P(AllMethods, NodeGridMethods, ::testing::ValuesIn(Methods),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace norvane::test
