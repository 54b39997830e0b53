// The two-dimensional blocks of the low-order finite-difference methods (BFD1, BFD2, FFD1,
// FFD2, CFD2): which families each block holds, which nodes their instances define, in which
// order the loops register them, and how fast their residuals shrink on a smooth variable.
#include "tests/scheme/fake_scheme.h"
#include "tests/scheme/stencil_residual.h"
#include "types/distribution2d/programs2d.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace norvane::test {
namespace {

// One family of a Y block, written along the block's own direction. Shape: the declared
// terms in order, offsets relative to the node the family defines: D first and S second
// derivative, I integral, V value, W the double integral (whose lower integral is then I).
// Key: the loops around an instance, outer to inner: a digit is the sub-block or the place
// within a loop body, o the other direction's node, s the section, n the own-direction anchor.
// The X block has the same families but those of sub-block 4 (the double integral).
struct Family {
    const char* shape;
    const char* key;
    int order; // of the residual in h as written
};

struct MethodBlocks {
    const char* name;
    int xGroup, xFirst; // the Y block follows with the next group and family numbers
    int xTerms, yTerms; // declared terms of all families of each block
    std::vector<Family> families;
};

const std::vector<MethodBlocks>& Methods() {
    // clang-format off
    static const std::vector<MethodBlocks> methods = {
        {"BFD1", 4, 5, 21, 25,
         {{"D h V V+1", "1os0", 2}, {"D h V-1 V", "1os1n", 2}, {"S h V-1 V V+1", "2s0on", 4},
          {"D h V V+1", "2s1o", 2}, {"I h V-1 V", "3osn", 3}, {"W h I-1 I", "4osn", 3}}},
        {"BFD2", 6, 16, 34, 44,
         {{"D h V+2 V V+1", "1os0", 3}, {"D h V-1 V+1", "1os1", 3}, {"D h V-2 V-1 V", "1os2n", 3},
          {"S h V-1 V V+1", "2s0on", 4}, {"D h V+2 V V+1", "2s1o", 3},
          {"I h V+1 V-1 V", "3osn0", 3}, {"I h V-1 V-2 V", "3osn1", 3},
          {"W h I+1 I-1 I", "4osn0", 3}, {"W h I-1 I-2 I", "4osn1", 3}}},
        {"FFD1", 8, 32, 25, 29,
         {{"D h V V+1", "1os0", 2}, {"D h V V+1", "1os1n", 2}, {"D h V-1 V", "1os2", 2},
          {"S h V-1 V V+1", "2s0on", 4}, {"D h V V+1", "2s1o", 2}, {"I h V-1 V", "3osn", 3},
          {"W h I-1 I", "4osn", 3}}},
        {"FFD2", 10, 45, 39, 49,
         {{"D h V+2 V V+1", "1os0", 3}, {"D h V+2 V V+1", "1os1n", 3}, {"D h V-1 V+1", "1os2", 3},
          {"D h V-2 V-1 V", "1os3", 3}, {"S h V-1 V V+1", "2s0on", 4},
          {"D h V+2 V V+1", "2s1o", 3}, {"I h V+1 V-1 V", "3osn0", 3},
          {"I h V-1 V-2 V", "3osn1", 3}, {"W h I+1 I-1 I", "4osn0", 3},
          {"W h I-1 I-2 I", "4osn1", 3}}},
        {"CFD2", 12, 63, 34, 44,
         {{"D h V+2 V V+1", "1os0", 3}, {"D h V-1 V+1", "1os1n", 3}, {"D h V-2 V-1 V", "1os2", 3},
          {"S h V-1 V V+1", "2s0on", 4}, {"D h V+2 V V+1", "2s1o", 3},
          {"I h V+1 V-1 V", "3osn0", 3}, {"I h V-1 V-2 V", "3osn1", 3},
          {"W h I+1 I-1 I", "4osn0", 3}, {"W h I-1 I-2 I", "4osn1", 3}}},
    };
    // clang-format on
    return methods;
}

bool InXBlock(const Family& f) {
    return f.key[0] != '4';
}

// The families of a method's block in direction d, numbered as registered.
std::map<int, Family> BlockFamilies(const MethodBlocks& m, Direction d) {
    std::map<int, Family> block;
    int k = m.xFirst;
    if (d == Direction::Y)
        for (const Family& f : m.families)
            k += InXBlock(f);
    for (const Family& f : m.families)
        if (d == Direction::Y || InXBlock(f)) block[k++] = f;
    return block;
}

std::string Shape(const Stencil& stencil, unsigned char target) {
    std::string text;
    int origin = 0;
    bool first = true;
    for (int t = 0; t < stencil.tokenCount; ++t) {
        const Token& token = stencil.tokens[t];
        if (token.kind != Token::Kind::Variable) continue;
        if (first) origin = token.offset;
        first = false;
        const char* letter = token.field == Field::Step               ? "h"
                             : token.field == Field::FirstDerivative  ? "D"
                             : token.field == Field::SecondDerivative ? "S"
                             : token.field == Field::Integral         ? (target ? "W" : "I")
                                                                      : (target ? "I" : "V");
        text += (text.empty() ? "" : " ") + std::string(letter);
        const int offset = token.offset - origin;
        if (token.field != Field::Step && offset != 0)
            text += (offset > 0 ? "+" : "") + std::to_string(offset);
    }
    return text;
}

const Program* Find(const char* method, Direction d) {
    const ProgramSet& programs = Programs2D();
    for (int p = 0; p < programs.size(); ++p) {
        const BlockProgramText& text = *programs[p].text;
        if (text.method != nullptr && std::strcmp(text.method, method) == 0 && text.direction == d)
            return &programs[p];
    }
    return nullptr;
}

TEST(Programs2DDifference, EachBlockHoldsItsFamiliesWithTheirTerms) {
    ASSERT_EQ(Programs2D().fault().program, -1) << Programs2D().fault().error;
    for (const MethodBlocks& m : Methods())
        for (Direction d : {Direction::X, Direction::Y}) {
            const Program* program = Find(m.name, d);
            ASSERT_NE(program, nullptr) << m.name;
            EXPECT_EQ(program->text->group, m.xGroup + static_cast<int>(d)) << m.name;
            const std::map<int, Family> expected = BlockFamilies(m, d);
            auto next = expected.begin();
            int terms = 0;
            for (int i = 0; i < program->nodeCount; ++i) {
                const ProgramNode& node = program->nodes[i];
                if (node.kind != ProgramNode::Kind::Emit) continue;
                ASSERT_NE(next, expected.end()) << m.name << " " << node.family;
                EXPECT_EQ(node.family, next->first) << m.name;
                EXPECT_EQ(Shape(*node.stencil, node.target), next->second.shape)
                    << "QV_Eqn" << node.family;
                EXPECT_EQ(node.target, next->second.shape[0] == 'W' ? 3 : 0)
                    << "QV_Eqn" << node.family;
                for (int t = 0; t < node.stencil->tokenCount; ++t)
                    terms += node.stencil->tokens[t].kind == Token::Kind::Variable;
                ++next;
            }
            EXPECT_EQ(next, expected.end()) << m.name;
            EXPECT_EQ(terms, d == Direction::X ? m.xTerms : m.yTerms) << m.name;
        }
}

// The array an instance defines: its first variable term, named as in the distribution.
std::string Defined(const Instance& at) {
    const Token& t = *std::find_if(at.stencil->tokens, at.stencil->tokens + at.stencil->tokenCount,
                                   [](const Token& k) { return k.kind == Token::Kind::Variable; });
    const char* axis = at.direction == Direction::X ? "X" : "Y";
    if (t.field == Field::FirstDerivative) return std::string("DD") + axis;
    if (t.field == Field::SecondDerivative) return std::string("D2D") + axis + "2";
    return at.target != 0 ? "IDXDY" : std::string("ID") + axis;
}

struct Case {
    int xMethod, yMethod; // indices into Methods()
    std::vector<int> xElements, yElements;
    int xOrder, yOrder; // HIGHESTORDER<d>DERIVATIVEUSED
    std::set<IntegralName> integrals;
};

FakeScheme Scheme(const Case& c) {
    const char* x = Methods()[c.xMethod].name;
    const char* y = Methods()[c.yMethod].name;
    std::vector<double> xLengths(c.xElements.size(), 0.4), yLengths(c.yElements.size(), 0.3);
    FakeScheme scheme;
    scheme.directions = {MakeDirection(x, PolyPointsOf(x), xLengths, c.xElements),
                         MakeDirection(y, PolyPointsOf(y), yLengths, c.yElements)};
    scheme.directions[0].orderUsed = c.xOrder;
    scheme.directions[1].orderUsed = c.yOrder;
    scheme.integrals = c.integrals;
    return scheme;
}

// Each method with itself and with another method in the other direction, on grids of one
// section and of several (one of a single element: NODECOUNT 1 under BFD1 and FFD1, 2 under
// the three-point methods), under several derivative orders and choices of INTEGRALS.
std::vector<Case> Cases() {
    const std::vector<std::set<IntegralName>> integrals = {{Idx, Idy, Idxdy}, {Idxdy}, {Idy}, {}};
    const std::vector<std::pair<int, int>> orders = {{2, 2}, {1, 2}, {0, 1}, {2, 0}};
    const std::vector<int> one = {3}, several = {2, 1, 3};
    std::vector<Case> cases;
    for (int m = 0; m < 5; ++m)
        for (int other : {m, (m + 1) % 5})
            for (std::size_t k = 0; k < orders.size(); ++k) {
                const auto [xOrder, yOrder] = orders[k];
                cases.push_back({m, other, one, {2}, xOrder, yOrder, integrals[k]});
                cases.push_back(
                    {other, m, several, {1, 2}, xOrder, yOrder, integrals[(k + 1) % 4]});
            }
    return cases;
}

bool SectionStart(const FakeDirection& d, int node) {
    for (const FakeSection& s : d.parts)
        if (s.base == node) return true;
    return false;
}

bool InClosed(const FakeDirection& d, int node) {
    return std::find(d.closed.begin(), d.closed.end(), node) != d.closed.end();
}

// Every node gets one equation per array that is asked for, a second first-derivative one at
// a section join (along y only where x is in the closed interior), and a second-derivative
// one at the nodes off the section boundaries whose other index is in the closed interior.
TEST(Programs2DDifference, EveryNodeIsDefinedAsOften) {
    for (const Case& c : Cases()) {
        FakeScheme scheme = Scheme(c);
        FakeDirection &x = scheme.directions[0], &y = scheme.directions[1];
        std::map<std::tuple<std::string, int, int>, int> count;
        for (const Instance& at : scheme.Walk(Programs2D())) {
            int node[2] = {at.node[0], at.node[1]};
            const Token* first = at.stencil->tokens;
            while (first->kind != Token::Kind::Variable)
                ++first;
            node[static_cast<int>(at.direction)] = static_cast<int>(at.anchor + first->offset);
            ++count[{Defined(at), node[0], node[1]}];
        }
        const bool idx = c.integrals.count(Idx) + c.integrals.count(Idxdy) > 0;
        const std::string label = std::string(x.method) + "/" + y.method + " orders " +
                                  std::to_string(c.xOrder) + std::to_string(c.yOrder);
        for (int i = 0; i <= x.endNode(); ++i)
            for (int j = 0; j <= y.endNode(); ++j) {
                const bool xJoin = i > 0 && SectionStart(x, i), yJoin = j > 0 && SectionStart(y, j);
                const bool xInner = !SectionStart(x, i) && i != x.endNode();
                const bool yInner = !SectionStart(y, j) && j != y.endNode();
                const std::map<std::string, int> expected = {
                    {"DDX", c.xOrder > 0 ? 1 + (c.xOrder > 1 && xJoin) : 0},
                    {"DDY", c.yOrder > 0 ? 1 + (c.yOrder > 1 && yJoin && InClosed(x, i)) : 0},
                    {"D2DX2", c.xOrder > 1 && xInner && InClosed(y, j)},
                    {"D2DY2", c.yOrder > 1 && yInner && InClosed(x, i)},
                    {"IDX", idx},
                    {"IDY", c.integrals.count(Idy) > 0},
                    {"IDXDY", c.integrals.count(Idxdy) > 0}};
                for (const auto& [array, n] : expected)
                    EXPECT_EQ((count[{array, i, j}]), n)
                        << label << ": " << array << "(" << i << "," << j << ")";
            }
        std::size_t total = 0;
        for (const auto& entry : count)
            total += entry.second;
        EXPECT_EQ(total, scheme.instances.size()) << label;
    }
}

// Within each block the instances come in the order of its loops, and each uses only nodes
// of its own section and of the grid.
TEST(Programs2DDifference, InstancesFollowTheLoopsWithinTheirSection) {
    for (const Case& c : Cases()) {
        FakeScheme scheme = Scheme(c);
        std::map<int, std::vector<int>> last; // per group, the key of its last instance
        for (const Instance& at : scheme.Walk(Programs2D())) {
            if (at.group <= 3) continue; // start groups
            const int d = static_cast<int>(at.direction);
            FakeDirection& own = scheme.directions[d];
            FakeDirection& other = scheme.directions[1 - d];
            const MethodBlocks& m = Methods()[d == 0 ? c.xMethod : c.yMethod];
            ASSERT_EQ(at.group, m.xGroup + d) << "QV_Eqn" << at.family;
            const Family family = BlockFamilies(m, at.direction).at(at.family);
            std::vector<int> key;
            for (const char* k = family.key; *k != '\0'; ++k)
                key.push_back(*k == 'o'   ? at.node[1 - d]
                              : *k == 's' ? at.section
                              : *k == 'n' ? static_cast<int>(at.anchor)
                                          : *k - '0');
            std::vector<int>& previous = last[at.group];
            EXPECT_LT(previous, key) << own.method << " QV_Eqn" << at.family;
            previous = key;
            const FakeSection& section = own.parts.at(at.section - 1);
            EXPECT_TRUE(at.node[1 - d] >= 0 && at.node[1 - d] <= other.endNode());
            for (int t = 0; t < at.stencil->tokenCount; ++t) {
                const Token& token = at.stencil->tokens[t];
                if (token.kind != Token::Kind::Variable || token.field == Field::Step) continue;
                const long long node = at.anchor + token.offset;
                EXPECT_TRUE(node >= section.base && node <= section.base + section.nodeCount)
                    << own.method << " QV_Eqn" << at.family << " at " << at.anchor;
            }
        }
    }
}

// The largest |residual| of each family of the block along d, on a grid refined along d.
std::map<int, double> Residuals(int method, Direction d, int refine) {
    const char* name = Methods()[method].name;
    std::vector<int> elements = {8, 12, 4};
    for (int& e : elements)
        e *= refine;
    const int p = PolyPointsOf(name);
    FakeDirection fine = MakeDirection(name, p, {0.3, 0.45, 0.25}, elements);
    FakeDirection coarse = MakeDirection(name, p, {0.5, 0.5}, {1, 2});
    FakeScheme scheme;
    scheme.directions = d == Direction::X ? std::vector<FakeDirection>{fine, coarse}
                                          : std::vector<FakeDirection>{coarse, fine};
    scheme.integrals = {Idx, Idy, Idxdy};
    // The variable is Smooth(2.3) along x times Smooth(1.7) along y.
    const Manufactured exact = OnGrids({{Smooth(2.3), Smooth(1.7)}}, scheme);
    std::map<int, double> worst;
    for (const Instance& at : scheme.Walk(Programs2D())) {
        if (at.direction != d || at.group <= 3) continue;
        const double residual = ResidualOf(exact, scheme, at).value;
        worst[at.family] = std::max(worst[at.family], std::fabs(residual));
    }
    return worst;
}

TEST(Programs2DDifference, ResidualsShrinkAtTheOrderOfEachFormula) {
    for (int m = 0; m < 5; ++m)
        for (Direction d : {Direction::X, Direction::Y}) {
            const std::map<int, Family> families = BlockFamilies(Methods()[m], d);
            const std::map<int, double> coarse = Residuals(m, d, 1), fine = Residuals(m, d, 2);
            ASSERT_EQ(coarse.size(), families.size()) << Methods()[m].name;
            for (const auto& [k, family] : families)
                EXPECT_GE(std::log2(coarse.at(k) / fine.at(k)), family.order - 0.3)
                    << Methods()[m].name << " QV_Eqn" << k;
        }
}

// The method name is matched in any letter case; a name that is none of the methods opens no
// block, and the start groups still run.
TEST(Programs2DDifference, MethodNamesMatchInAnyCase) {
    FakeScheme scheme = Scheme({3, 4, {2}, {2}, 2, 2, {Idx, Idy, Idxdy}});
    const std::size_t all = scheme.Walk(Programs2D()).size();
    scheme.directions[0].method = "ffd2";
    scheme.directions[1].method = "Cfd2";
    EXPECT_EQ(scheme.Walk(Programs2D()).size(), all);
    scheme.directions[0].method = "FFD3";
    scheme.directions[1].method = "CFD";
    for (const Instance& at : scheme.Walk(Programs2D()))
        EXPECT_LE(at.group, 3);
    EXPECT_FALSE(scheme.instances.empty());
}

} // namespace
} // namespace norvane::test
