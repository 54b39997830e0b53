// The reading of residuals written as prefix text, and the reach of a stencil. The 90 sites
// themselves are checked through the streams and the residuals of the equations that apply
// them (tests/scheme).
#include "types/scheme/prefix_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace norvane {
namespace {

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

// A stencil lists where its variable tokens stand, h among them, in order: the passes look up
// those tokens alone. Tokens of more terms than a pass has room for make an empty stencil
// rather than a list that overruns its room.
TEST(StencilTerms, ListsItsVariableTokensAndRefusesMoreThanItHasRoomFor) {
    Token tokens[16];
    const PrefixParse parse = ParsePrefixText("- DDX(i) / - V(i+1) V(i-1) * 2 h", tokens, 16);
    ASSERT_EQ(parse.error, nullptr);
    const Stencil stencil = MakeStencil(tokens, parse.count);
    ASSERT_EQ(stencil.termCount, 4);
    EXPECT_EQ(std::vector<int>(stencil.terms, stencil.terms + 4), (std::vector<int>{1, 4, 5, 8}));

    std::vector<Token> many(MaxStencilTerms + 1, tokens[4]);
    const Stencil full = MakeStencil(many.data(), MaxStencilTerms);
    EXPECT_EQ(full.termCount, MaxStencilTerms);
    EXPECT_EQ(full.terms[MaxStencilTerms - 1], MaxStencilTerms - 1);
    const Stencil over = MakeStencil(many.data(), MaxStencilTerms + 1);
    EXPECT_EQ(over.tokenCount, 0);
    EXPECT_EQ(over.termCount, 0);
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

// A pass looks up every term of an instance at once, into room for MaxStencilTerms: a residual
// of that many terms reads, one more is refused at the term that is one too many.
TEST(PrefixText, TakesAsManyTermsAsAPassHasRoomFor) {
    std::string text;
    for (int k = 1; k < MaxStencilTerms; ++k)
        text += "+ ";
    std::string more = text + "+ ";
    for (int k = 0; k < MaxStencilTerms; ++k)
        text += "V(i) ";
    more += text + "h";
    std::vector<Token> tokens(static_cast<std::size_t>(CountPrefixTokens(more.c_str())));
    const int room = static_cast<int>(tokens.size());
    const PrefixParse fits = ParsePrefixText(text.c_str(), tokens.data(), room);
    EXPECT_EQ(fits.error, nullptr);
    EXPECT_EQ(fits.count, 2 * MaxStencilTerms - 1);
    const PrefixParse refused = ParsePrefixText(more.c_str(), tokens.data(), room);
    EXPECT_STREQ(refused.error, "more terms than a residual may have");
    EXPECT_EQ(refused.position, static_cast<int>(more.size()) - 1);
}

} // namespace
} // namespace norvane
