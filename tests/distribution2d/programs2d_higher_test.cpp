// The two-dimensional X and Y blocks of CFD4, UBFD4, OCFE2, OCFE3 and OCFE4 walked over
// host-free grids: their families and terms, the nodes each block defines, the order of the
// instances, and residuals that vanish on polynomials the formulas are exact for.
#include "tests/scheme/fake_scheme.h"
#include "tests/scheme/stencil_residual.h"
#include "types/distribution1d/grid_check.h"
#include "types/distribution2d/programs2d.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace norvane::test {
namespace {

constexpr Direction X = Direction::X;
constexpr Direction Y = Direction::Y;
constexpr unsigned char kXY = 3; // target of the double integral

// One block: the first family of each sub-block (first derivative, second derivative,
// integral along d, double integral; an X block has none of the last, which starts at its
// end), one past its last family, and the terms that its families declare.
struct Block {
    const char* method;
    Direction d;
    int group, first, second, integral, doubleIntegral, end, terms;
};

constexpr Block kBlocks[] = {
    {"CFD4", X, 14, 79, 84, 88, 92, 92, 90},       {"CFD4", Y, 15, 92, 97, 101, 105, 109, 118},
    {"UBFD4", X, 16, 109, 114, 118, 122, 122, 90}, {"UBFD4", Y, 17, 122, 127, 131, 135, 139, 118},
    {"OCFE2", X, 18, 139, 142, 144, 146, 146, 34}, {"OCFE2", Y, 19, 146, 149, 151, 153, 155, 44},
    {"OCFE3", X, 20, 155, 159, 162, 165, 165, 60}, {"OCFE3", Y, 21, 165, 169, 172, 175, 178, 78},
    {"OCFE4", X, 22, 178, 183, 187, 191, 191, 90}, {"OCFE4", Y, 23, 191, 196, 200, 204, 208, 118},
};

bool Collocation(const Block& b) {
    return std::strncmp(b.method, "OCFE", 4) == 0;
}

const Program* ProgramOf(const Block& b) {
    const ProgramSet& programs = Programs2D();
    for (int p = 0; p < programs.size(); ++p) {
        const BlockProgramText& text = *programs[p].text;
        if (text.method != nullptr && std::strcmp(text.method, b.method) == 0 &&
            text.direction == b.d)
            return &programs[p];
    }
    return nullptr;
}

// Each block lists its families once, in registration order, in its own group, with the
// double integral alone integrating IDX; the terms add up to what the block declares.
TEST(Programs2DHigher, BlocksHoldTheirFamiliesTermsAndTargets) {
    ASSERT_EQ(Programs2D().fault().program, -1) << Programs2D().fault().error;
    for (const Block& b : kBlocks) {
        const Program* program = ProgramOf(b);
        ASSERT_NE(program, nullptr) << b.method;
        EXPECT_EQ(program->text->group, b.group) << b.method;
        int family = b.first, terms = 0;
        for (int i = 0; i < program->nodeCount; ++i) {
            const ProgramNode& node = program->nodes[i];
            if (node.kind != ProgramNode::Kind::Emit) continue;
            EXPECT_EQ(node.family, family++) << b.method;
            EXPECT_EQ(node.target, node.family >= b.doubleIntegral ? kXY : 0) << node.family;
            for (int t = 0; t < node.stencil->tokenCount; ++t)
                terms += node.stencil->tokens[t].kind == Token::Kind::Variable;
        }
        EXPECT_EQ(family, b.end) << b.method;
        EXPECT_EQ(terms, b.terms) << b.method;
    }
}

// What a walk is asked for: the grids, the derivative orders and the integrals.
struct WalkCase {
    std::vector<int> ownElements; // per section of the block's direction
    const char* otherMethod;      // nullptr: the block's own method
    std::vector<int> otherElements;
    int orderUsed, order;
    std::set<IntegralName> integrals;
};

const WalkCase kWalkCases[] = {
    {{2, 1}, "OCFE2", {1, 2}, 2, 2, {Idx, Idy, Idxdy}},
    {{3}, "BFD1", {2, 3}, 1, 2, {Idxdy}},
    {{1, 2}, nullptr, {2}, 2, 3, {Idy}},
    {{1, 1, 2}, "CFD4", {1}, 0, 2, {Idx}},
};

FakeScheme SchemeFor(const Block& b, const WalkCase& walk) {
    const std::string other = walk.otherMethod != nullptr ? walk.otherMethod : b.method;
    FakeDirection own =
        MakeDirection(b.method, PolyPointsOf(b.method),
                      std::vector<double>(walk.ownElements.size(), 0.4), walk.ownElements);
    own.orderUsed = walk.orderUsed;
    own.order = walk.order;
    FakeScheme in;
    in.directions.push_back(MakeDirection(other, PolyPointsOf(other),
                                          std::vector<double>(walk.otherElements.size(), 0.3),
                                          walk.otherElements));
    in.directions.insert(in.directions.begin() + static_cast<int>(b.d), own);
    in.integrals = walk.integrals;
    return in;
}

std::vector<Instance> BlockInstances(const Block& b, FakeScheme& in) {
    std::vector<Instance> block;
    for (const Instance& at : in.Walk(Programs2D()))
        if (at.direction == b.d && at.family >= b.first && at.family < b.end) block.push_back(at);
    return block;
}

// The quartic 0.7 - 1.2 u + 2.1 u² - 1.6 u³ + 0.9 u⁴ cut to the given degree, along x and
// along y: the variable is its product.
Manufactured Quartic(int degree, const FakeScheme& in) {
    const std::vector<double> c = {0.7, -1.2, 2.1, -1.6, 0.9};
    const Factor p = Polynomial({c.begin(), c.begin() + degree + 1});
    return OnGrids({{p, p}}, in);
}

// The nodes that end a stretch: section ends under finite differences, element ends under
// collocation. A join is such a node other than node 0 and ENDNODE.
std::set<int> Ends(const Block& b, const FakeDirection& own) {
    std::set<int> ends{0};
    for (const FakeSection& s : own.parts)
        for (int e = 1; e <= (Collocation(b) ? s.elements : 1); ++e)
            ends.insert(s.base + e * s.nodeCount / (Collocation(b) ? s.elements : 1));
    return ends;
}

// What an instance defines, told by its first variable: 0 a first derivative, 1 a second
// derivative, 2 an integral along d, 3 the double integral; -1 for none of them.
int DefinedKind(const Instance& at, const Token& first) {
    if (at.target != 0) return 3;
    switch (first.field) {
    case Field::FirstDerivative:
        return 0;
    case Field::SecondDerivative:
        return 1;
    case Field::Integral:
        return 2;
    default:
        return -1;
    }
}

// The degree of the polynomial that the block's formulas take exactly.
int Degree(const Block& b) {
    return std::strcmp(b.method, "OCFE2") == 0 ? 2 : std::strcmp(b.method, "OCFE3") == 0 ? 3 : 4;
}

class Programs2DBlock : public testing::TestWithParam<Block> {};

// Per node of the plane, what the block defines there: one first derivative, two at a join
// (over every other node in X, over the closed interior in Y; under collocation only when
// HIGHESTORDER<d>DERIVATIVE is 2), a second derivative away from the ends over the closed
// interior, one integral from node 1 on and the double integral from other node 1 on. Every
// instance lies in its own section and group, and its residual vanishes on a polynomial of
// its formula's degree.
TEST_P(Programs2DBlock, DefinesEachNodeOnceAndExactly) {
    const Block& b = GetParam();
    const int dIndex = static_cast<int>(b.d), degree = Degree(b);
    for (const WalkCase& walk : kWalkCases) {
        FakeScheme in = SchemeFor(b, walk);
        const FakeDirection& own = in.directions[dIndex];
        const FakeDirection& other = in.directions[1 - dIndex];
        const int ownEnd = static_cast<int>(own.x.size()) - 1;
        const int otherEnd = static_cast<int>(other.x.size()) - 1;
        ASSERT_EQ(CheckGrid(Programs2D(), in), GridAccepted) << b.method;
        const Manufactured exact = Quartic(degree, in);
        std::map<std::tuple<int, int, int>, int> defined; // kind, own node, other node
        for (const Instance& at : BlockInstances(b, in)) {
            EXPECT_EQ(at.group, b.group);
            const FakeSection& section = own.parts.at(at.section - 1);
            const int node = at.node[1 - dIndex];
            ASSERT_TRUE(node >= 0 && node <= otherEnd) << at.family;
            int kind = -1, where = 0;
            for (int t = 0; t < at.stencil->tokenCount; ++t) {
                const Token& token = at.stencil->tokens[t];
                if (token.kind != Token::Kind::Variable || token.field == Field::Step) continue;
                const long long k = at.anchor + token.offset;
                ASSERT_TRUE(k >= section.base && k <= section.base + section.nodeCount)
                    << at.family << " at " << at.anchor;
                if (kind < 0) {
                    kind = DefinedKind(at, token);
                    where = static_cast<int>(k);
                    ASSERT_GE(kind, 0) << at.family;
                }
            }
            ++defined[{kind, where, node}];
            const Residual residual = ResidualOf(exact, in, at);
            EXPECT_LT(std::fabs(residual.value), 1e-4 * residual.size) << at.family;
        }
        const std::set<int> ends = Ends(b, own);
        const bool joins = !Collocation(b) || walk.order == 2;
        const bool integral = b.d == X ? walk.integrals.count(Idx) + walk.integrals.count(Idxdy)
                                       : walk.integrals.count(Idy);
        const bool doubleIntegral = b.d == Y && walk.integrals.count(Idxdy);
        for (int k = 0; k <= ownEnd; ++k) {
            for (int o = 0; o <= otherEnd; ++o) {
                const bool closed = std::count(other.closed.begin(), other.closed.end(), o) > 0;
                const bool join = k != 0 && k != ownEnd && ends.count(k) && joins &&
                                  (b.d == X || closed) && walk.orderUsed > 1;
                const int expected[] = {walk.orderUsed > 0 ? 1 + join : 0,
                                        walk.orderUsed > 1 && closed && !ends.count(k),
                                        integral && k > 0, doubleIntegral && k > 0 && o > 0};
                for (int kind = 0; kind < 4; ++kind)
                    EXPECT_EQ((defined[{kind, k, o}]), expected[kind])
                        << b.method << " kind " << kind << " at " << k << "," << o;
            }
        }
    }
}

// The first-derivative and integral sub-blocks run the other direction outermost, then the
// sections, then the own nodes; the second-derivative sub-block runs the sections outermost.
TEST_P(Programs2DBlock, SubBlocksNestTheirLoopsInOrder) {
    const Block& b = GetParam();
    FakeScheme in = SchemeFor(b, kWalkCases[0]);
    const std::vector<Instance> block = BlockInstances(b, in);
    for (std::size_t i = 1; i < block.size(); ++i) {
        const Instance &was = block[i - 1], &is = block[i];
        const auto subBlock = [&b](int family) {
            return (family >= b.second) + (family >= b.integral) + (family >= b.doubleIntegral);
        };
        ASSERT_LE(subBlock(was.family), subBlock(is.family)) << is.family;
        if (subBlock(was.family) != subBlock(is.family)) continue;
        const int c = 1 - static_cast<int>(b.d);
        if (subBlock(is.family) == 1)
            EXPECT_LE(was.section, is.section) << is.family;
        else
            EXPECT_LE(std::make_tuple(was.node[c], was.section, was.anchor),
                      std::make_tuple(is.node[c], is.section, is.anchor))
                << is.family;
    }
}

INSTANTIATE_TEST_SUITE_P(HigherMethods, Programs2DBlock, testing::ValuesIn(kBlocks),
                         [](const testing::TestParamInfo<Block>& info) {
                             return std::string(info.param.method) +
                                    (info.param.d == X ? "X" : "Y");
                         });

// "family@anchor/other" of the block's instances from family `from` to `to`.
std::string Sequence(FakeScheme& in, Direction d, int from, int to) {
    std::string text;
    for (const Instance& at : in.Walk(Programs2D()))
        if (at.direction == d && at.family >= from && at.family <= to)
            text += (text.empty() ? "" : " ") + std::to_string(at.family) + '@' +
                    std::to_string(at.anchor) + '/' +
                    std::to_string(at.node[1 - static_cast<int>(d)]);
    return text;
}

// Where each join stands beside its second derivatives. The other direction has nodes 0 to
// 2 with a section join at 1, which its closed interior leaves out; finite-difference blocks
// run two sections of one element, collocation blocks one section of two elements.
TEST(Programs2DHigher, JoinsStandWhereEachBlockPlacesThem) {
    const std::tuple<const char*, Direction, int, int, const char*> cases[] = {
        {"CFD4", X, 84, 87,
         "84@1/0 85@2/0 86@3/0 84@1/2 85@2/2 86@3/2 84@5/0 85@6/0 86@7/0 84@5/2 85@6/2 86@7/2 "
         "87@4/0 87@4/1 87@4/2"},
        {"CFD4", Y, 97, 100,
         "97@1/0 98@2/0 99@3/0 97@1/2 98@2/2 99@3/2 97@5/0 98@6/0 99@7/0 97@5/2 98@6/2 99@7/2 "
         "100@4/0 100@4/2"},
        {"UBFD4", X, 114, 117,
         "114@1/0 115@2/0 116@3/0 114@1/2 115@2/2 116@3/2 114@5/0 115@6/0 116@7/0 "
         "114@5/2 115@6/2 116@7/2 117@4/0 117@4/1 117@4/2"},
        {"UBFD4", Y, 127, 130,
         "127@1/0 128@2/0 129@3/0 127@1/2 128@2/2 129@3/2 127@5/0 128@6/0 129@7/0 "
         "127@5/2 128@6/2 129@7/2 130@4/0 130@4/2"},
        {"OCFE2", X, 142, 143, "142@0/0 142@0/2 142@2/0 142@2/2 143@2/0 143@2/1 143@2/2"},
        {"OCFE2", Y, 149, 150, "150@0/0 150@0/2 149@2/0 149@2/2 150@2/0 150@2/2"},
        {"OCFE3", X, 159, 161,
         "160@0/0 161@0/0 160@0/2 161@0/2 159@3/0 159@3/1 159@3/2 160@3/0 161@3/0 160@3/2 "
         "161@3/2"},
        {"OCFE3", Y, 169, 171,
         "169@0/0 170@0/0 169@0/2 170@0/2 169@3/0 170@3/0 169@3/2 170@3/2 171@3/0 171@3/2"},
        {"OCFE4", X, 183, 186,
         "184@0/0 185@0/0 186@0/0 184@0/2 185@0/2 186@0/2 183@4/0 183@4/1 183@4/2 "
         "184@4/0 185@4/0 186@4/0 184@4/2 185@4/2 186@4/2"},
        {"OCFE4", Y, 196, 199,
         "196@0/0 197@0/0 198@0/0 196@0/2 197@0/2 198@0/2 196@4/0 197@4/0 198@4/0 "
         "196@4/2 197@4/2 198@4/2 199@4/0 199@4/2"},
    };
    for (const auto& [method, d, from, to, expected] : cases) {
        const bool collocation = std::strncmp(method, "OCFE", 4) == 0;
        const std::vector<int> elements =
            collocation ? std::vector<int>{2} : std::vector<int>{1, 1};
        FakeScheme in;
        in.directions = {MakeDirection("BFD1", 0, {0.5, 0.5}, {1, 1}),
                         MakeDirection(method, PolyPointsOf(method),
                                       std::vector<double>(elements.size(), 1.0), elements)};
        if (d == X) std::swap(in.directions[0], in.directions[1]);
        EXPECT_EQ(Sequence(in, d, from, to), expected) << method;
    }
}

// The first-derivative sub-block starts the domain once per other node; with both
// directions on one method every X instance precedes every Y instance.
TEST(Programs2DHigher, FirstDerivativesRunTheOtherDirectionOutermost) {
    FakeScheme in;
    in.directions = {MakeDirection("OCFE2", 1, {0.5, 0.5}, {1, 1}),
                     MakeDirection("BFD1", 0, {1.0}, {1})};
    EXPECT_EQ(Sequence(in, X, 139, 141), "139@0/0 140@0/0 141@0/0 140@2/0 141@2/0 "
                                         "139@0/1 140@0/1 141@0/1 140@2/1 141@2/1");
    in.directions = {MakeDirection("BFD1", 0, {1.0}, {1}), MakeDirection("UBFD4", 3, {1.0}, {1})};
    EXPECT_EQ(Sequence(in, Y, 122, 126), "122@0/0 123@1/0 124@2/0 125@3/0 126@4/0 "
                                         "122@0/1 123@1/1 124@2/1 125@3/1 126@4/1");
    in.directions = {MakeDirection("OCFE2", 1, {1.0}, {2}), MakeDirection("OCFE2", 1, {1.0}, {2})};
    bool sawY = false;
    for (const Instance& at : in.Walk(Programs2D())) {
        if (at.family < 139) continue;
        sawY = sawY || at.direction == Y;
        EXPECT_FALSE(sawY && at.direction == X) << at.family;
    }
    EXPECT_TRUE(sawY);
}

// A grid whose elements are shorter than the method's stencil is refused before any
// equation could reach past its section.
TEST(Programs2DHigher, StencilsLongerThanTheElementsAreRefused) {
    const std::tuple<const char*, int> cases[] = {
        {"CFD4", 1}, {"UBFD4", 2}, {"OCFE3", 1}, {"OCFE4", 2}};
    for (const auto& [method, points] : cases) {
        for (const Direction d : {X, Y}) {
            FakeScheme in;
            in.directions = {MakeDirection("BFD1", 0, {1.0}, {2}),
                             MakeDirection(method, points, {1.0}, {1})};
            if (d == X) std::swap(in.directions[0], in.directions[1]);
            EXPECT_EQ(CheckGrid(Programs2D(), in), RefusedOutsideSection) << method;
        }
    }
}

} // namespace
} // namespace norvane::test
