// The conversions; inputs that make no sensible grid, none rejected and each giving a defined grid
// with nothing leaked; counts beyond 32 bits.
#include <limits>
#include <tuple>

#include "tests/domain/domain_fixture.h"
#include "types/domain/grid_conversions.h"

namespace norvane::test {
namespace {

constexpr int Sentinel = std::numeric_limits<int>::min();
const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

// Half away from zero, x + 0.5 rounded to a double first; NaN and beyond 32 bits: the sentinel.
TEST(GridConversions, RoundingAndTruncation) {
    // x, nearest, truncated
    // clang-format off
    const double cases[][3] = {
        {2.5, 3, 2}, {-2.5, -3, -2}, {2.4999, 2, 2}, {0.49999999999999994, 1, 0},
        {NaN, Sentinel, Sentinel}, {-Inf, Sentinel, Sentinel},
        {2147483647.5, Sentinel, 2147483647}, {-2147483649.0, Sentinel, Sentinel}};
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(NearestInteger(c[0]), c[1]) << c[0];
        EXPECT_EQ(TruncateToInt(c[0]), c[2]) << c[0];
    }
    EXPECT_EQ(Members(NodeRange(2147483646LL, 2147483649LL)), Range(2147483646, 2147483647));
    EXPECT_EQ(Members(NodeRange(-2147483650LL, -2147483647LL)), Range(Sentinel, -2147483647));
    EXPECT_TRUE(Members(NodeRange(5, 3)).empty());
}

// Unless a section's asked count comes out positive, it gets the method's minimum.
TEST(NodeGridBadInput, LengthAndSpacing) {
    // method, sections, LENGTH, SPACINGPREFERENCE (-1: the default), ENDNODE
    const std::tuple<const char*, int, double, double, int> cases[] = {
        {"CFD4", 2, 0.0, -1, 8},   {"FFD2", 2, -1.0, -1, 16},  {"FFD2", 2, -1.0, 0.0625, 4},
        {"OCFE4", 3, Inf, -1, 12}, {"OCFE4", 3, -Inf, -1, 12}, {"OCFE4", 3, NaN, -1, 12},
        {"UBFD4", 2, 1.0, 0.0, 8}};
    for (const auto& [method, sections, length, spacing, endNode] : cases) {
        SCOPED_TRACE(testing::Message() << method << " length " << length);
        DomainUnderTest d;
        d.Method(method).Sections(sections).Length(length);
        if (spacing >= 0) d.Spacing(spacing);
        d.Run(2);
        EXPECT_EQ(d->ENDNODE.v(), endNode);
        d.Nodes(); // every node is placed
    }
}

// Counts and node numbers past 2^31 - 1 name no node. n = 2^31 - 1 with P = 3 rounds up to a
// count beyond 32 bits: the sentinel, not a wrapped-around count; the range [0..sentinel] is the
// host's one-element set {0}.
// With section 1 held at 2147483646 nodes in one element, section 2 starts at node 2147483646
// and only its first inner point has a number.
TEST(NodeGridBadInput, CountsAndNodeNumbersBeyond32Bits) {
    DomainUnderTest nine, big, far;
    // n = 9 rounds up to 12 first, on a small grid: broken, the big grid would hold 2^31 nodes.
    nine.Method("CFD4").Spacing(1.0 / 9).Run(1);
    ASSERT_EQ(nine.Section(1).NODECOUNT.v(), 12);
    big.Method("CFD4").Length(2147483647.0).Spacing(1.0).Run(2);
    EXPECT_EQ(big.Section(1).NODECOUNT.v(), Sentinel);
    EXPECT_EQ(big->ENDNODE.v(), Sentinel);
    EXPECT_TRUE(Members(big->INTERIOR.v()).empty());
    EXPECT_EQ(Members(big->QV_VALUE_SET1.v()), std::vector<int>{0});
    EXPECT_EQ((*big->VALUE).m_Elements.Elements(), 1u); // node 0 only

    far.Section(1).NODECOUNT.UserSet(2147483646);
    far.Section(1).NUMELEMENTS.UserSet(1);
    far.Method("OCFE3").Sections(2).HighestOrder(2).Run(2);
    EXPECT_EQ(far.Section(2).BASE.v(), 2147483646);
    EXPECT_EQ(Members(far->INTERIOR.v()), (std::vector<int>{1, 2, 2147483647}));
    EXPECT_TRUE(HasElement(*far->VALUE, 2147483647));
    EXPECT_EQ((*far->VALUE).m_Elements.Elements(), 5u); // nodes 0 .. 3 and 2147483647
}

} // namespace
} // namespace norvane::test
