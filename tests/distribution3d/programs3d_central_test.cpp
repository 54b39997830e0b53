// The CFD2, CFD4 and UBFD4 blocks of the three-dimensional scheme: the families each block
// declares, the order of their instances, which elements they define over which nodes, and
// that every residual vanishes for a polynomial that its formula is exact for.
#include "tests/scheme/fake_scheme.h"
#include "tests/scheme/stencil_residual.h"
#include "types/distribution3d/programs3d.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace norvane::test {
namespace {

constexpr Direction X = Direction::X, Y = Direction::Y, Z = Direction::Z;

// A sub-block, or one integral family, and the key that its instances follow strictly
// increasing in registration order: x, y, z the other directions' nodes, s the section, d the
// own-direction node of the element that the instance defines, J whether its family is the
// block's join.
struct Phase {
    int first, last;
    const char* key;
};

struct Block {
    const char* method;
    Direction d;
    int group, terms, join; // terms: the variables of one instance of each family
    std::vector<Phase> phases;
};

// clang-format off
const Block kBlocks[] = {
    {"CFD2", X, 20, 34, 119, {{115, 117, "zysd"}, {118, 119, "sJyzd"}, {120, 121, "zysd"}}},
    {"CFD2", Y, 21, 44, 126, {{122, 124, "zxsd"}, {125, 126, "sJxzd"}, {127, 128, "zxsd"},
                              {129, 130, "zxsd"}}},
    {"CFD2", Z, 22, 64, 135, {{131, 133, "yxsd"}, {134, 135, "sJxyd"}, {136, 137, "yxsd"},
                              {138, 139, "yxsd"}, {140, 141, "yxsd"}, {142, 143, "yxsd"}}},
    {"CFD4", X, 23, 90, 152, {{144, 148, "zysd"}, {149, 152, "sJyzd"}, {153, 156, "zysd"}}},
    {"CFD4", Y, 24, 118, 165, {{157, 161, "zxsd"}, {162, 165, "sJxzd"}, {166, 169, "zxsd"},
                               {170, 173, "zxsd"}}},
    {"CFD4", Z, 25, 174, 182, {{174, 178, "yxsd"}, {179, 182, "sJxyd"}, {183, 186, "yxsd"},
                               {187, 190, "yxsd"}, {191, 194, "yxsd"}, {195, 198, "yxsd"}}},
    {"UBFD4", X, 26, 90, 207, {{199, 203, "yzsd"}, {204, 207, "sJyzd"}, {208, 211, "zysd"}}},
    {"UBFD4", Y, 27, 118, 220, {{212, 216, "xzsd"}, {217, 220, "sJxzd"}, {221, 224, "zxsd"},
                                {225, 228, "zxsd"}}},
    {"UBFD4", Z, 28, 174, 237, {{229, 233, "yxsd"}, {234, 237, "sJxyd"}, {238, 241, "yxsd"},
                                {242, 245, "yxsd"}, {246, 249, "yxsd"}, {250, 253, "yxsd"}}},
};
// clang-format on

const Block* BlockOfGroup(int group) {
    for (const Block& block : kBlocks)
        if (block.group == group) return &block;
    return nullptr;
}

bool IsVariable(const Token& t) {
    return t.kind == Token::Kind::Variable && t.field != Field::Step;
}

// One program per block, its families in registration order, and the variables that one
// instance of each family declares, counted together.
TEST(Scheme3DCentral, EachBlockDeclaresItsFamiliesAndTerms) {
    const ProgramSet& programs = Programs3D();
    ASSERT_EQ(programs.fault().program, -1) << programs.fault().error;
    for (const Block& block : kBlocks) {
        std::vector<int> families;
        int terms = 0, found = 0;
        for (int p = 0; p < programs.size(); ++p) {
            const BlockProgramText& text = *programs[p].text;
            if (text.method == nullptr || block.method != std::string(text.method) ||
                text.direction != block.d)
                continue;
            ++found;
            EXPECT_EQ(text.group, block.group);
            for (int i = 0; i < programs[p].nodeCount; ++i) {
                const ProgramNode& node = programs[p].nodes[i];
                if (node.kind != ProgramNode::Kind::Emit) continue;
                families.push_back(node.family);
                for (int t = 0; t < node.stencil->tokenCount; ++t)
                    terms += node.stencil->tokens[t].kind == Token::Kind::Variable;
            }
        }
        EXPECT_EQ(found, 1) << block.method << static_cast<int>(block.d);
        std::vector<int> expected;
        for (int k = block.phases.front().first; k <= block.phases.back().last; ++k)
            expected.push_back(k);
        EXPECT_EQ(families, expected) << block.method << static_cast<int>(block.d);
        EXPECT_EQ(terms, block.terms) << block.method << static_cast<int>(block.d);
    }
}

// Three directions under the method (any letter case), each with a joint where two sections
// meet; directions outside `active` use no method of the table.
FakeScheme Box(const std::string& method, const std::string& spelled, int orderUsed,
               const std::vector<std::vector<int>>& elements, unsigned active = 7) {
    FakeScheme box;
    const std::vector<double> lengths{0.3, 0.5, 0.2};
    for (int c = 0; c < 3; ++c) {
        const std::vector<int>& e = elements[c];
        box.directions.push_back(MakeDirection(method, PolyPointsOf(method),
                                               {lengths.begin(), lengths.begin() + e.size()}, e));
        box.directions.back().method = (active >> c & 1u) != 0 ? spelled : "NONE";
        box.directions.back().orderUsed = orderUsed;
    }
    return box;
}

const std::vector<std::vector<int>> kJoined{{2, 1}, {1, 2}, {1, 1}};
const std::vector<std::vector<int>> kSingle{{1}, {2}, {1}};

// The names that request the integral spanning the directions of each bit pattern.
const std::vector<IntegralName> kRequestedBy[8] = {
    {},       {Idx, Idxdy, Idxdz, Idxdydz}, {Idy, Idydz}, {Idxdy, Idxdydz}, {Idz}, {Idxdz}, {Idydz},
    {Idxdydz}};

using Element = std::array<int, 4>; // kind (DD 0-2, D2 3-5, integral 8 + span), i, j, k

// The element an instance defines: its first variable.
Element Defined(const Instance& at) {
    const int d = static_cast<int>(at.direction);
    for (const Token* t = at.stencil->tokens; t != at.stencil->tokens + at.stencil->tokenCount;
         ++t) {
        if (!IsVariable(*t)) continue;
        Element element{0, at.node[0], at.node[1], at.node[2]};
        element[1 + d] = static_cast<int>(at.anchor + t->offset);
        element[0] = t->field == Field::FirstDerivative    ? d
                     : t->field == Field::SecondDerivative ? 3 + d
                     : at.target != 0                      ? 8 + at.target
                                                           : 8 + (1 << d);
        return element;
    }
    return {-1, 0, 0, 0};
}

bool Contains(const std::vector<int>& nodes, int n) {
    return std::find(nodes.begin(), nodes.end(), n) != nodes.end();
}

// How often the blocks of `box` should define each element: DD once per node and again at a
// later section's start where the join runs (X: every node of Y and Z; Y: closed X, every Z;
// Z: closed X and Y); D2 at section-inner nodes over the closed sets of the others; each
// requested integral at every node but 0 of its own direction and of the directions it has
// already integrated.
std::map<Element, int> ExpectedDefinitions(FakeScheme& box, unsigned active) {
    std::map<Element, int> count;
    std::array<FakeDirection*, 3> g{&box.directions[0], &box.directions[1], &box.directions[2]};
    for (int i = 0; i <= g[0]->endNode(); ++i)
        for (int j = 0; j <= g[1]->endNode(); ++j)
            for (int k = 0; k <= g[2]->endNode(); ++k)
                for (int d = 0; d < 3; ++d) {
                    if ((active >> d & 1u) == 0) continue;
                    const int node[3] = {i, j, k}, n = node[d];
                    const FakeDirection& own = *g[d];
                    bool laterStart = false, boundary = n == 0;
                    for (const FakeSection& s : own.parts) {
                        laterStart = laterStart || (n == s.base && s.base > 0);
                        boundary = boundary || n == s.base + s.nodeCount;
                    }
                    bool joined = true, closed = true;
                    for (int c = 0; c < 3; ++c) {
                        if (c == d) continue;
                        closed = closed && Contains(g[c]->closed, node[c]);
                        if (c < d) joined = joined && Contains(g[c]->closed, node[c]);
                    }
                    if (own.orderUsed > 0)
                        count[{d, i, j, k}] = 1 + (own.orderUsed > 1 && laterStart && joined);
                    if (own.orderUsed > 1 && !boundary && closed) count[{3 + d, i, j, k}] = 1;
                    for (unsigned span = 1u << d; span < 2u << d; ++span) { // d the last
                        bool requested = false, started = n > 0;
                        for (IntegralName name : kRequestedBy[span])
                            requested = requested || box.integrals.count(name) != 0;
                        for (int c = 0; c < d; ++c)
                            started = started && ((span >> c & 1u) == 0 || node[c] > 0);
                        if (requested && started) count[{8 + int(span), i, j, k}] = 1;
                    }
                }
    return count;
}

struct Coverage {
    const char* method;
    const char* spelled;
    int orderUsed;
    std::vector<IntegralName> integrals;
    const std::vector<std::vector<int>>* elements;
    unsigned active;
};

TEST(Scheme3DCentral, EachElementIsDefinedWhereItsLoopsReach) {
    const std::vector<IntegralName> all{Idx, Idy, Idz, Idxdy, Idxdz, Idydz, Idxdydz};
    const Coverage cases[] = {
        {"CFD2", "CFD2", 2, all, &kJoined, 7},        {"CFD4", "cfd4", 2, all, &kJoined, 7},
        {"UBFD4", "Ubfd4", 2, all, &kJoined, 7},      {"CFD2", "CFD2", 1, {Idxdydz}, &kSingle, 7},
        {"CFD4", "CFD4", 0, {Idydz}, &kJoined, 7},    {"UBFD4", "UBFD4", 1, {Idxdz}, &kSingle, 7},
        {"UBFD4", "UBFD4", 2, {}, &kSingle, 7},       {"CFD4", "CFD4", 2, {Idxdy}, &kSingle, 7},
        {"CFD2", "cfd2", 2, {Idx, Idz}, &kJoined, 5}, {"UBFD4", "UBFD4", 2, all, &kJoined, 2},
    };
    for (const Coverage& c : cases) {
        FakeScheme box = Box(c.method, c.spelled, c.orderUsed, *c.elements, c.active);
        box.integrals = {c.integrals.begin(), c.integrals.end()};
        std::map<Element, int> defined;
        for (const Instance& at : box.Walk(Programs3D()))
            if (BlockOfGroup(at.group) != nullptr) ++defined[Defined(at)];
        const std::map<Element, int> expected = ExpectedDefinitions(box, c.active);
        const std::string label = std::string(c.spelled) + " order " + std::to_string(c.orderUsed) +
                                  " active " + std::to_string(c.active);
        std::vector<std::pair<Element, int>> differ; // (kind, i, j, k), instances
        std::set_symmetric_difference(defined.begin(), defined.end(), expected.begin(),
                                      expected.end(), std::back_inserter(differ));
        differ.resize(std::min<std::size_t>(differ.size(), 4));
        EXPECT_TRUE(differ.empty()) << label << ": " << testing::PrintToString(differ);
    }
}

// VALUE is the product of one polynomial of the given degree per direction.
Manufactured Polynomials(int degree, const FakeScheme& box) {
    const std::vector<double> c[3] = {
        {0.7, -1.2, 2.1, -1.6, 0.9}, {0.3, 0.8, -0.5, 1.1, -0.4}, {-0.2, 0.5, 0.9, -0.7, 0.6}};
    Term term;
    for (const std::vector<double>& p : c)
        term.push_back(Polynomial({p.begin(), p.begin() + degree + 1}));
    return OnGrids({term}, box);
}

// The own-direction nodes of an instance's variables lie in its section and the grid, the
// other directions' nodes in the grid.
bool InsideSection(FakeScheme& box, const Instance& at) {
    FakeDirection& own = box.directions[static_cast<int>(at.direction)];
    const long long low = own.base(at.section), high = low + own.nodeCount(at.section);
    for (int t = 0; t < at.stencil->tokenCount; ++t) {
        const long long n = at.anchor + at.stencil->tokens[t].offset;
        if (IsVariable(at.stencil->tokens[t]) && (n < low || n > high || n > own.endNode()))
            return false;
    }
    for (int c = 0; c < 3; ++c)
        if (at.node[c] < 0 || at.node[c] > box.directions[c].endNode()) return false;
    return true;
}

// The phase of an instance within its block, and its key there.
std::pair<int, std::vector<long long>> PhaseKey(const Block& block, const Instance& at) {
    int phase = 0;
    while (at.family > block.phases[phase].last)
        ++phase;
    std::vector<long long> key;
    for (const char* k = block.phases[phase].key; *k != '\0'; ++k)
        key.push_back(*k == 's'   ? at.section
                      : *k == 'd' ? Defined(at)[1 + static_cast<int>(at.direction)]
                      : *k == 'J' ? at.family == block.join
                                  : at.node[*k - 'x']);
    return {phase, key};
}

class Scheme3DCentralWalk : public testing::TestWithParam<const char*> {};

// On a box of joined sections of unequal spacing: every family of the method's three blocks
// appears; each instance stays inside its section, follows the instance before it in phase
// and key, and its residual vanishes for a polynomial of the formulas' degree (2 for CFD2, 4
// for the five-point methods).
TEST_P(Scheme3DCentralWalk, InstancesKeepOrderStayInSectionAndAreExact) {
    const std::string method = GetParam();
    FakeScheme box = Box(method, method, 2, kJoined);
    box.integrals = {Idx, Idy, Idz, Idxdy, Idxdz, Idydz, Idxdydz};
    const Manufactured exact = Polynomials(method == "CFD2" ? 2 : 4, box);
    std::map<int, int> seen;                                    // family -> instances
    std::map<int, std::pair<int, std::vector<long long>>> last; // group -> phase, key
    for (const Instance& at : box.Walk(Programs3D())) {
        const Block* block = BlockOfGroup(at.group);
        if (block == nullptr) continue;
        ASSERT_EQ(block->method, method) << at.family;
        ++seen[at.family];
        ASSERT_TRUE(InsideSection(box, at)) << at.family << '@' << at.anchor;
        const auto key = PhaseKey(*block, at);
        const auto previous = last.find(at.group);
        if (previous != last.end()) {
            ASSERT_LT(previous->second, key) << at.family << '@' << at.anchor;
        }
        last[at.group] = key;
        const Residual residual = ResidualOf(exact, box, at);
        ASSERT_LT(std::fabs(residual.value), 1e-10 * residual.size)
            << at.family << '@' << at.anchor;
    }
    for (const Block& block : kBlocks) {
        if (method != block.method) continue;
        for (int k = block.phases.front().first; k <= block.phases.back().last; ++k)
            EXPECT_GT(seen[k], 0) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Methods, Scheme3DCentralWalk, testing::Values("CFD2", "CFD4", "UBFD4"));

} // namespace
} // namespace norvane::test
