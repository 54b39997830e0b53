// The 90 equation sites as data, and the reading of residuals written as prefix text.
#include "types/distribution1d/prefix_text.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>

namespace norvane {
namespace {

// Each site one complete prefix tree; the token totals over all sites and the distinct real
// constants, compared with the literal doubles, are those of the stored texts.
TEST(StencilTable, SitesAreCompleteWithTheStoredTotals) {
    ASSERT_EQ(StencilCount(), 90);
    std::map<Token::Kind, int> leaves;
    std::map<OpCode, int> operators;
    std::set<double> reals;
    for (int k = 1; k <= 90; ++k) {
        const Stencil& site = StencilByNumber(k);
        ASSERT_GT(site.tokenCount, 0) << "site " << k << " does not read";
        int open = 1; // operands still missing
        for (const Token* t = site.tokens; t != site.tokens + site.tokenCount; ++t) {
            ASSERT_GT(open, 0) << "site " << k << " goes on after its tree is complete";
            if (t->kind == Token::Kind::Operator) {
                ++operators[t->op];
                open += t->op == OpCode::Op1 || t->op == OpCode::Square ? 0 : 1;
            } else {
                ++leaves[t->kind];
                --open;
            }
            if (t->kind == Token::Kind::Real) reals.insert(t->real);
        }
        EXPECT_EQ(open, 0) << "site " << k;
    }
    using K = Token::Kind;
    EXPECT_EQ(leaves, (std::map<K, int>{{K::Integer, 188}, {K::Real, 131}, {K::Variable, 518}}));
    // clang-format off
    EXPECT_EQ(operators, (std::map<OpCode, int>{{OpCode::Op1, 1}, {OpCode::Plus, 168},
        {OpCode::Minus, 171}, {OpCode::Times, 402}, {OpCode::Divide, 6}, {OpCode::Square, 17}}));
    EXPECT_EQ(reals, (std::set<double>{
        0.5,      0.001388888888888889, 0.00176, 0.00333, 0.00499, 0.00645, 0.01462, 0.03301,
        0.04166,  0.04824, 0.06616, 0.06788, 0.07949, 0.08333333333333333, 0.08978, 0.09623,
        0.12972,  0.20833, 0.22722, 0.27272, 0.33333, 0.3849, 0.67621, 0.73205, 1.29099, 1.5,
        1.73205,  1.87836, 2.06559, 2.19615, 2.66667, 2.73205, 3.0, 3.22749, 3.87298, 4.0,
        4.3923,   5.32379, 6.0, 6.7621, 7.0, 8.0, 8.19615, 12.0, 13.0, 13.33333, 14.78831,
        16.3923,  16.66667, 21.33334, 24.0, 26.66666, 53.2379, 73.33333, -0.00176, -0.04166,
        -0.07949, -0.09623, -0.67621, -2.73205, -3.0, -4.3923, -5.32379, -6.0, -7.0, -13.0}));
    // clang-format on
}

// The reach of a stencil: the lowest and highest offset of the nodes its terms address; h
// addresses none.
TEST(StencilReach, SpansTheNodesItsTermsAddress) {
    const std::tuple<const char*, int, int> cases[] = {
        {"op1 IDX(0)", 0, 0},
        {"- DDX(i) / - V(i+1) V(i-1) * 2 h", -1, 1},
        {"- D2DX2(B) * h V(B+4)", 0, 4},
        {"- IDX(j-3) * h V(j-2)", -3, -2},
        {"* 2 h", 1, 0}, // no node: lowest > highest
    };
    for (const auto& [text, lowest, highest] : cases) {
        Token tokens[16];
        const PrefixParse parse = ParsePrefixText(text, tokens, 16);
        ASSERT_EQ(parse.error, nullptr) << text;
        const Stencil stencil = MakeStencil(tokens, parse.count);
        if (lowest > highest) {
            EXPECT_GT(stencil.lowest, stencil.highest) << text;
        } else {
            EXPECT_EQ(stencil.lowest, lowest) << text;
            EXPECT_EQ(stencil.highest, highest) << text;
        }
    }
}

// One text of each fault, with the offset of the token at fault.
TEST(PrefixText, RejectsMalformedTextWithTheFaultAndItsPlace) {
    const std::tuple<const char*, const char*, int> cases[] = {
        {"+ V(i)", "expression is incomplete", 6},
        {"V(i) V(i)", "text follows a complete expression", 5},
        {"* 2 Q(i)", "unknown token", 4},
        {"* 2 V(i+)", "malformed node index", 4},
        {"+ V(i) V(j+1)", "mixes anchor names", 7},
        {"* 1.5.2 h", "malformed real constant", 2},
        {"+ h + h h", "more tokens than room", 6},
    };
    for (const auto& [text, error, position] : cases) {
        Token tokens[3];
        const PrefixParse parse = ParsePrefixText(text, tokens, 3);
        EXPECT_STREQ(parse.error, error) << text;
        EXPECT_EQ(parse.position, position) << text;
    }
}

} // namespace
} // namespace norvane
