// Reading of the scheme's loop programs: the faults a malformed program is reported with, and
// the family names. What the programs of the distributions register is checked through the
// host (tests/scheme/equation_stream_test.cpp).
#include "types/scheme/block_program.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace norvane {
namespace {

ProgramFault ParseOne(const char* text) {
    static BlockProgramText texts[1];
    texts[0] = {nullptr, Direction::X, 1, text};
    const StaticProgramSet<1, 64> programs(texts);
    return programs.fault();
}

// One text of each fault, with the offset of the word at fault.
TEST(BlockProgram, RejectsMalformedProgramsWithTheFaultAndItsPlace) {
    const std::tuple<const char*, const char*, int> cases[] = {
        {"first { 5: 2", "missing }", 12},
        {"first { 5: 2 } }", "unmatched }", 15},
        {"first 5: 2", "expected {", 6},
        {"for s { for s { } }", "section loop inside a section loop", 12},
        {"for e { 5: 2 }", "no section", 4},
        {"at B { 5: 2 }", "no section", 3},
        {"for s { if s=2 { } }", "unknown test", 11},
        {"for w 0..E { }", "unknown loop", 4},
        {"for y 0..N { }", "bad node set", 6},
        {"for s { for n B+1.L { } }", "bad node range", 14},
        {"integral idx,idq { }", "bad integral names", 9},
        {"5: 91", "unknown site", 3},
        {"1000: 2", "unknown statement", 0},
        {"5: 2 xx", "bad integral target", 5},
        {"5: \"+ V(i)\"", "expression is incomplete", 3},
        {"5: \"+ V(i) V(i)", "unterminated stencil", 3},
    };
    for (const auto& [text, error, position] : cases) {
        const ProgramFault fault = ParseOne(text);
        EXPECT_EQ(fault.program, 0) << text;
        EXPECT_STREQ(fault.error, error) << text;
        EXPECT_EQ(fault.position, position) << text;
    }
    EXPECT_EQ(ParseOne("for s { at L-2 { 5: \"+ V(n) h\" xy } }").program, -1);
}

TEST(BlockProgram, FamilyNamesAreTheLiteralNames) {
    EXPECT_STREQ(FamilyName(1), "QV_Eqn1");
    EXPECT_STREQ(FamilyName(90), "QV_Eqn90");
    EXPECT_STREQ(FamilyName(379), "QV_Eqn379");
    EXPECT_EQ(FamilyName(0), nullptr);
    EXPECT_EQ(FamilyName(1000), nullptr);
}

} // namespace
} // namespace norvane
