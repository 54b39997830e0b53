// The 90 equation sites as data: names, groups, token totals and the real constants.
#include "types/distribution1d/stencil.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace norvane {
namespace {

TEST(StencilTable, NamesAndGroupsFollowTheSiteOrder) {
    ASSERT_EQ(StencilCount(), 90);
    // First site of each group offset 1 .. 11.
    const int groupStart[] = {1, 2, 7, 14, 20, 28, 35, 48, 61, 68, 78, 91};
    int group = 0;
    for (int k = 1; k <= 90; ++k) {
        while (k >= groupStart[group])
            ++group;
        const Stencil& site = StencilByNumber(k);
        EXPECT_EQ(std::string(site.name), "QV_Eqn" + std::to_string(k));
        EXPECT_EQ(site.group, group) << site.name;
    }
}

TEST(StencilTable, TokensFormCompleteTreesWithTheExpectedTotals) {
    std::map<Token::Kind, int> leaves;
    std::map<OpCode, int> operators;
    for (int k = 1; k <= 90; ++k) {
        const Stencil& site = StencilByNumber(k);
        int open = 1;
        for (int t = 0; t < site.tokenCount; ++t) {
            ASSERT_GT(open, 0) << site.name << " goes on after its tree is complete";
            const Token& token = site.tokens[t];
            if (token.kind == Token::Kind::Operator) {
                ++operators[token.op];
                open += token.op == OpCode::Op1 || token.op == OpCode::Square ? 0 : 1;
            } else {
                ++leaves[token.kind];
                --open;
            }
        }
        EXPECT_EQ(open, 0) << site.name;
    }
    EXPECT_EQ(leaves[Token::Kind::Variable], 518);
    EXPECT_EQ(leaves[Token::Kind::Integer], 188);
    EXPECT_EQ(leaves[Token::Kind::Real], 131);
    EXPECT_EQ(operators, (std::map<OpCode, int>{{OpCode::Op1, 1},
                                                {OpCode::Plus, 168},
                                                {OpCode::Minus, 171},
                                                {OpCode::Times, 402},
                                                {OpCode::Divide, 6},
                                                {OpCode::Square, 17}}));
}

TEST(StencilTable, RealConstantsAreTheStoredDoubles) {
    // clang-format off
    const std::set<double> expected = {
        0.5,      0.001388888888888889, 0.00176, 0.00333, 0.00499, 0.00645, 0.01462, 0.03301,
        0.04166,  0.04824, 0.06616, 0.06788, 0.07949, 0.08333333333333333, 0.08978, 0.09623,
        0.12972,  0.20833, 0.22722, 0.27272, 0.33333, 0.3849, 0.67621, 0.73205, 1.29099, 1.5,
        1.73205,  1.87836, 2.06559, 2.19615, 2.66667, 2.73205, 3.0, 3.22749, 3.87298, 4.0,
        4.3923,   5.32379, 6.0, 6.7621, 7.0, 8.0, 8.19615, 12.0, 13.0, 13.33333, 14.78831,
        16.3923,  16.66667, 21.33334, 24.0, 26.66666, 53.2379, 73.33333, -0.00176, -0.04166,
        -0.07949, -0.09623, -0.67621, -2.73205, -3.0, -4.3923, -5.32379, -6.0, -7.0, -13.0};
    // clang-format on
    ASSERT_EQ(expected.size(), 66u);
    std::set<double> found;
    for (int k = 1; k <= 90; ++k) {
        const Stencil& site = StencilByNumber(k);
        for (int t = 0; t < site.tokenCount; ++t) {
            if (site.tokens[t].kind == Token::Kind::Real) found.insert(site.tokens[t].real);
        }
    }
    EXPECT_EQ(found, expected);
}

} // namespace
} // namespace norvane
