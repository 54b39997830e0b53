// The collocation blocks of the three-dimensional scheme: each block's families and declared
// terms, and the instances it makes on small grids, in order, against the loop nests that
// every collocation block follows.
#include "tests/scheme/fake_scheme.h"
#include "types/distribution1d/grid_check.h"
#include "types/distribution3d/programs3d.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace norvane::test {
namespace {

// A block of P points per element: its families start at `family` with the domain-start row,
// whose one-dimensional site is `site`. The X first-derivative rows walk `firstOuter`
// outermost; every other block walks its other directions in ascending order there.
struct Block {
    const char* method;
    int d, group, family, site, p, families, terms, firstOuter;
};

constexpr Block kBlocks[] = {
    {"OCFE2", 0, 29, 254, 61, 1, 7, 34, 2},   {"OCFE2", 1, 30, 261, 61, 1, 9, 44, 0},
    {"OCFE2", 2, 31, 270, 61, 1, 13, 64, 0},  {"OCFE3", 0, 32, 283, 68, 2, 10, 60, 1},
    {"OCFE3", 1, 33, 293, 68, 2, 13, 78, 0},  {"OCFE3", 2, 34, 306, 68, 2, 19, 114, 0},
    {"OCFE4", 0, 35, 325, 78, 3, 13, 90, 1},  {"OCFE4", 1, 36, 338, 78, 3, 17, 118, 0},
    {"OCFE4", 2, 37, 355, 78, 3, 25, 174, 0},
};

// The integral families of each direction: names, the directions integrated before the own
// one (their loops start at 1, and they form the target with the own direction).
struct IntegralFamily {
    int d;
    std::vector<IntegralName> names;
    unsigned char before;
};
const IntegralFamily kIntegrals[] = {
    {0, {Idx, Idxdy, Idxdz, Idxdydz}, 0},
    {1, {Idy, Idydz}, 0},
    {1, {Idxdy, Idxdydz}, 1},
    {2, {Idz}, 0},
    {2, {Idxdz}, 1},
    {2, {Idydz}, 2},
    {2, {Idxdydz}, 3},
};

struct Row {
    int family;
    const Stencil* stencil;
    long long anchor;
    int section, node[3];
    unsigned char target;
};

// The instances the block should make, from the collocation loop nests: first derivatives over
// all other nodes, outer loop first; per element the second derivatives over both closed
// interiors, then the joins (closed before the own direction, all nodes after it); each
// integral family over the other directions in descending order.
std::vector<Row> Expected(FakeScheme& in, const Block& b) {
    std::vector<Row> rows;
    FakeDirection& own = in.directions[b.d];
    const int a = b.d == 0 ? 1 : 0, c = b.d == 2 ? 1 : 2; // the other directions, ascending
    auto all = [&](int d, int from) {
        std::vector<int> nodes;
        for (int v = from; v <= in.directions[d].endNode(); ++v)
            nodes.push_back(v);
        return nodes;
    };
    auto emit = [&](int family, int site, long long anchor, int s, int va, int vc,
                    unsigned char target) {
        rows.push_back({family, &StencilByNumber(site), anchor, s, {}, target});
        rows.back().node[a] = va;
        rows.back().node[c] = vc;
    };
    auto elements = [&](auto body) {
        for (int s = 1; s <= own.sections(); ++s)
            for (int e = 1; e <= own.elements(s); ++e)
                body(s, own.base(s) + (e - 1) * (own.p + 1));
    };
    const int outer = b.d == 0 ? b.firstOuter : a, inner = outer == a ? c : a;
    if (own.orderUsed > 0)
        for (int vo : all(outer, 0))
            for (int vi : all(inner, 0)) {
                const int va = outer == a ? vo : vi, vc = outer == a ? vi : vo;
                for (int s = 1; s <= own.sections(); ++s) {
                    if (s == 1) emit(b.family, b.site, own.base(s), s, va, vc, 0);
                    for (int e = 1; e <= own.elements(s); ++e)
                        for (int k = 1; k <= b.p + 1; ++k)
                            emit(b.family + k, b.site + k, own.base(s) + (e - 1) * (b.p + 1), s, va,
                                 vc, 0);
                }
            }
    const int second = b.family + b.p + 2, join = second + b.p;
    if (own.orderUsed > 1)
        elements([&](int s, long long n) {
            for (int va : in.directions[a].closed)
                for (int vc : in.directions[c].closed)
                    for (int k = 0; k < b.p; ++k)
                        emit(second + k, b.site + b.p + 3 + k, n, s, va, vc, 0);
            if (n == 0 || own.order != 2) return;
            const std::vector<int> ja = a < b.d ? in.directions[a].closed : all(a, 0);
            const std::vector<int> jc = c < b.d ? in.directions[c].closed : all(c, 0);
            for (int va : ja)
                for (int vc : jc)
                    emit(join, b.site + b.p + 2, n, s, va, vc, 0);
        });
    int family = join + 1;
    for (const IntegralFamily& f : kIntegrals) {
        if (f.d != b.d) continue;
        bool requested = false;
        for (IntegralName name : f.names)
            requested = requested || in.integrals.count(name) != 0;
        const auto target = static_cast<unsigned char>(f.before == 0 ? 0 : f.before | 1 << b.d);
        if (requested)
            for (int vc : all(c, f.before >> c & 1))
                for (int va : all(a, f.before >> a & 1))
                    elements([&](int s, long long n) {
                        for (int k = 0; k <= b.p; ++k)
                            emit(family + k, b.site + 2 * b.p + 3 + k, n, s, va, vc, target);
                    });
        family += b.p + 1;
    }
    return rows;
}

const Program* ProgramOf(const Block& b) {
    const ProgramSet& programs = Programs3D();
    for (int p = 0; p < programs.size(); ++p) {
        const BlockProgramText& text = *programs[p].text;
        if (text.method != nullptr && std::strcmp(text.method, b.method) == 0 &&
            static_cast<int>(text.direction) == b.d)
            return &programs[p];
    }
    return nullptr;
}

TEST(Programs3DCollocation, FamiliesInOrderWithTheirGroupAndDeclaredTerms) {
    ASSERT_EQ(Programs3D().fault().program, -1) << Programs3D().fault().error;
    for (const Block& b : kBlocks) {
        const Program* program = ProgramOf(b);
        ASSERT_NE(program, nullptr) << b.method << b.d;
        EXPECT_EQ(program->text->group, b.group);
        int next = b.family, terms = 0;
        for (int i = 0; i < program->nodeCount; ++i) {
            const ProgramNode& node = program->nodes[i];
            if (node.kind != ProgramNode::Kind::Emit) continue;
            EXPECT_EQ(node.family, next++) << b.method << b.d;
            for (int t = 0; t < node.stencil->tokenCount; ++t)
                terms += node.stencil->tokens[t].kind == Token::Kind::Variable;
        }
        EXPECT_EQ(next - b.family, b.families) << b.method << b.d;
        EXPECT_EQ(terms, b.terms) << b.method << b.d;
    }
}

struct GridCase {
    std::vector<double> lengths;
    std::vector<int> elements;
    int order, orderUsed;
    std::set<IntegralName> integrals;
};

// The other directions differ in size and in their closed interiors (none is all nodes), so a
// swapped loop or set changes the sequence.
FakeScheme SchemeFor(const Block& b, const GridCase& g, bool lowerCase) {
    FakeScheme in;
    in.directions = {MakeDirection("none", 0, {1.0, 1.0}, {1, 1}),
                     MakeDirection("none", 0, {1.0, 2.0}, {1, 2}),
                     MakeDirection("none", 0, {1.0, 1.0, 1.0}, {1, 1, 1})};
    in.directions[b.d] = MakeDirection(b.method, b.p, g.lengths, g.elements);
    if (lowerCase) in.directions[b.d].method = std::string("ocfe") + b.method[4];
    in.directions[b.d].order = g.order;
    in.directions[b.d].orderUsed = g.orderUsed;
    in.integrals = g.integrals;
    return in;
}

TEST(Programs3DCollocation, InstancesFollowTheLoopNestsWithinTheirSections) {
    const std::set<IntegralName> every{Idx, Idy, Idz, Idxdy, Idxdz, Idydz, Idxdydz};
    const GridCase cases[] = {
        {{1.0}, {1}, 2, 2, every},                   // one element: no join
        {{0.6, 0.4}, {2, 1}, 2, 2, every},           // joins in and between sections
        {{0.6, 0.4}, {2, 1}, 3, 2, {Idxdydz}},       // no join; the innermost mixed families
        {{0.5, 0.5}, {1, 2}, 2, 1, {Idydz}},         // first derivatives only
        {{0.3, 0.3, 0.4}, {1, 1, 2}, 2, 0, {Idxdz}}, // integrals alone
        {{0.6, 0.4}, {2, 1}, 2, 2, {}},              // no integral
    };
    for (const Block& b : kBlocks)
        for (const GridCase& g : cases) {
            FakeScheme in = SchemeFor(b, g, &g == &cases[1]);
            ASSERT_EQ(CheckGrid(Programs3D(), in), GridAccepted);
            std::vector<Row> walked;
            FakeDirection& own = in.directions[b.d];
            for (const Instance& i : in.Walk(Programs3D())) {
                if (i.group != b.group) continue;
                ASSERT_EQ(i.direction, static_cast<Direction>(b.d));
                walked.push_back({i.family, i.stencil, i.anchor, i.section, {}, i.target});
                std::copy(i.node, i.node + 3, walked.back().node);
                const long long low = own.base(i.section), high = low + own.nodeCount(i.section);
                for (const Token* t = i.stencil->tokens;
                     t != i.stencil->tokens + i.stencil->tokenCount; ++t) {
                    if (t->kind != Token::Kind::Variable || t->field == Field::Step) continue;
                    EXPECT_TRUE(i.anchor + t->offset >= low && i.anchor + t->offset <= high)
                        << "QV_Eqn" << i.family << " at " << i.anchor;
                }
            }
            const std::vector<Row> expected = Expected(in, b);
            const std::string where =
                std::string(b.method) + " " + "XYZ"[b.d] + " case " + std::to_string(&g - cases);
            ASSERT_EQ(walked.size(), expected.size()) << where;
            for (std::size_t k = 0; k < walked.size(); ++k) {
                const Row &w = walked[k], &e = expected[k];
                ASSERT_TRUE(w.family == e.family && w.stencil == e.stencil &&
                            w.anchor == e.anchor && w.section == e.section &&
                            w.target == e.target && std::equal(w.node, w.node + 3, e.node))
                    << where << ", instance " << k << ": QV_Eqn" << w.family << " at " << w.anchor
                    << " (" << w.node[0] << "," << w.node[1] << "," << w.node[2]
                    << "), expected QV_Eqn" << e.family << " at " << e.anchor << " (" << e.node[0]
                    << "," << e.node[1] << "," << e.node[2] << ")";
            }
        }
}

// One element's joins follow its second-derivative rows, at every element start but node 0,
// the first element of a later section included; the method is matched in any letter case.
TEST(Programs3DCollocation, JoinsFollowTheSecondDerivativesOfTheirElement) {
    FakeScheme in;
    in.directions = {MakeDirection("none", 0, {}, {}), MakeDirection("none", 0, {}, {}),
                     MakeDirection("ocfe2", 1, {0.6, 0.4}, {2, 1})};
    in.integrals = {Idz};
    std::string text;
    for (const Instance& i : in.Walk(Programs3D()))
        text += std::to_string(i.family) + '@' + std::to_string(i.anchor) + ' ';
    EXPECT_EQ(text, "3@0 270@0 271@0 272@0 271@2 272@2 271@4 272@4 "
                    "273@0 273@2 274@2 273@4 274@4 275@0 276@0 275@2 276@2 275@4 276@4 ");
}

// Offsets that outrun the element stride reach past the section's last node: refused.
TEST(Programs3DCollocation, AStrideShorterThanTheElementIsRefused) {
    for (const Block& b : kBlocks) {
        const GridCase shortStride{{1.0}, {6}, 2, 2, {}}; // tiled by both strides
        FakeScheme in = SchemeFor(b, shortStride, false);
        FakeDirection& own = in.directions[b.d];
        own.p = b.p - 1;
        own.parts[0].elements = own.parts[0].nodeCount / b.p;
        EXPECT_EQ(CheckGrid(Programs3D(), in), RefusedOutsideSection) << b.method << b.d;
    }
}

} // namespace
} // namespace norvane::test
