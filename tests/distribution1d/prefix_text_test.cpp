// Reading of residuals written as prefix text.
#include "types/distribution1d/prefix_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace norvane {
namespace {

TEST(PrefixText, ReadsEveryKindOfToken) {
    Token tokens[12];
    const char* text = "/ IDX(B-2) * -3 * 2.5e-1 - sq h op1 V(B+11)";
    const PrefixParse parse = ParsePrefixText(text, tokens, 12);
    ASSERT_EQ(parse.error, nullptr) << parse.error;
    ASSERT_EQ(parse.count, 11);
    EXPECT_EQ(CountPrefixTokens(text), 11);

    EXPECT_EQ(tokens[0].op, OpCode::Divide);
    EXPECT_EQ(tokens[1].kind, Token::Kind::Variable);
    EXPECT_EQ(tokens[1].field, Field::Integral);
    EXPECT_EQ(tokens[1].offset, -2);
    EXPECT_EQ(tokens[3].kind, Token::Kind::Integer);
    EXPECT_EQ(tokens[3].integer, -3);
    EXPECT_EQ(tokens[5].kind, Token::Kind::Real);
    EXPECT_EQ(tokens[5].real, 0.25);
    EXPECT_EQ(tokens[6].op, OpCode::Minus);
    EXPECT_EQ(tokens[7].op, OpCode::Square);
    EXPECT_EQ(tokens[8].field, Field::Step);
    EXPECT_EQ(tokens[9].op, OpCode::Op1);
    EXPECT_EQ(tokens[10].field, Field::Value);
    EXPECT_EQ(tokens[10].offset, 11);
}

TEST(PrefixText, RejectsMalformedTextWithTheFaultAndItsPlace) {
    struct Case {
        const char* text;
        const char* error;
        int position;
    };
    const Case cases[] = {
        {"", "expression is incomplete", 0},
        {"+ V(i)", "expression is incomplete", 6},
        {"V(i) V(i)", "text follows a complete expression", 5},
        {"* 2 Q(i)", "unknown token", 4},
        {"+ V(i) V(i", "unknown token", 7},
        {"* 2 V(k)", "malformed node index", 4},
        {"* 2 V(i+)", "malformed node index", 4},
        {"* 2 V(i+-1)", "malformed node index", 4},
        {"+ V(i) V(j+1)", "mixes anchor names", 7},
        {"+ V(0) DDX(B)", "mixes anchor names", 7},
        {"* 1.5.2 h", "malformed real constant", 2},
        {"* 0x1.8p1 h", "malformed real constant", 2},
        {"* 1e999 h", "malformed real constant", 2},
        {"* 12a h", "malformed integer constant", 2},
        {"* 99999999999 h", "malformed integer constant", 2},
    };
    for (const Case& c : cases) {
        Token tokens[8];
        const PrefixParse parse = ParsePrefixText(c.text, tokens, 8);
        ASSERT_NE(parse.error, nullptr) << '"' << c.text << '"';
        EXPECT_EQ(std::string(parse.error), c.error) << '"' << c.text << '"';
        EXPECT_EQ(parse.position, c.position) << '"' << c.text << '"';
    }
    Token two[2];
    EXPECT_EQ(std::string(ParsePrefixText("+ h h", two, 2).error), "more tokens than room");
}

// A host that switched LC_NUMERIC to a decimal comma must still get the stored doubles.
TEST(PrefixText, RealsDoNotDependOnTheNumericLocale) {
    const char* commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "German_Germany"};
    const char* chosen = nullptr;
    for (const char* name : commaLocales) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            chosen = name;
            break;
        }
    }
    if (chosen == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
    Token token[1];
    const PrefixParse parse = ParsePrefixText("0.08333333333333333", token, 1);
    std::setlocale(LC_NUMERIC, "C");
    ASSERT_EQ(parse.error, nullptr) << chosen;
    EXPECT_EQ(token[0].real, 0.08333333333333333);
}

} // namespace
} // namespace norvane
