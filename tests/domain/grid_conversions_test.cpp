// The conversions of the node grid: rounding half away from zero, truncation, the sentinel
// for what 32 bits cannot hold, and ranges of node numbers.
#include <cmath>
#include <limits>

#include "tests/domain/domain_fixture.h"
#include "types/domain/grid_conversions.h"

namespace norvane::test {
namespace {

constexpr int Sentinel = std::numeric_limits<int>::min();

TEST(GridConversions, NearestIntegerRoundsHalfAwayFromZero) {
    EXPECT_EQ(NearestInteger(2.5), 3);
    EXPECT_EQ(NearestInteger(-2.5), -3);
    EXPECT_EQ(NearestInteger(2.4999), 2);
    EXPECT_EQ(NearestInteger(-2.4999), -2);
    EXPECT_EQ(NearestInteger(0.0), 0);
    EXPECT_EQ(NearestInteger(-0.0), 0);
    EXPECT_EQ(NearestInteger(7.999999999999999), 8);
    // x + 0.5 is rounded to double before it is truncated.
    EXPECT_EQ(NearestInteger(0.49999999999999994), 1);
}

TEST(GridConversions, TruncateToIntTruncatesTowardZero) {
    EXPECT_EQ(TruncateToInt(2.9), 2);
    EXPECT_EQ(TruncateToInt(-2.9), -2);
    EXPECT_EQ(TruncateToInt(-0.5), 0);
}

TEST(GridConversions, WhatDoesNotFitGivesTheSentinel) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double x : {nan, -nan, inf, -inf, 2147483648.0, -2147483649.0, 1e300, -1e300}) {
        EXPECT_EQ(TruncateToInt(x), Sentinel) << x;
        EXPECT_EQ(NearestInteger(x), Sentinel) << x;
    }
    // The last values that fit.
    EXPECT_EQ(TruncateToInt(2147483647.9), 2147483647);
    EXPECT_EQ(TruncateToInt(-2147483648.9), Sentinel);
    EXPECT_EQ(TruncateToInt(-2147483648.0), Sentinel);
    EXPECT_EQ(TruncateToInt(-2147483647.9), -2147483647);
    EXPECT_EQ(NearestInteger(2147483647.4), 2147483647);
    EXPECT_EQ(NearestInteger(2147483647.5), Sentinel);
    EXPECT_EQ(NearestInteger(-2147483648.4), Sentinel);
    EXPECT_EQ(NearestInteger(-2147483647.4), -2147483647);
}

TEST(GridConversions, CountsAndNodeNumbersBeyond32Bits) {
    EXPECT_EQ(CountOrSentinel(2147483647LL), 2147483647);
    EXPECT_EQ(CountOrSentinel(2147483648LL), Sentinel);
    EXPECT_EQ(CountOrSentinel(-2147483649LL), Sentinel);
    EXPECT_EQ(CountOrSentinel(-7), -7);
    EXPECT_TRUE(IsNodeNumber(-2147483648LL));
    EXPECT_FALSE(IsNodeNumber(2147483648LL));

    EXPECT_EQ(Members(NodeRange(3, 5)), Range(3, 5));
    EXPECT_TRUE(Members(NodeRange(5, 3)).empty());
    EXPECT_EQ(Members(NodeRange(2147483646LL, 2147483649LL)), Range(2147483646, 2147483647));
    EXPECT_EQ(Members(NodeRange(-2147483650LL, -2147483647LL)), Range(Sentinel, -2147483647));
    EXPECT_TRUE(Members(NodeRange(2147483648LL, 2147483650LL)).empty());
    EXPECT_TRUE(Members(NodeRange(1, -2147483649LL)).empty());
    EXPECT_EQ(NodeRange(3, 5).Type(), SUValue::TypeIntegerSet);
    EXPECT_EQ(NodeRange(5, 3).Type(), SUValue::TypeIntegerSet);
}

} // namespace
} // namespace norvane::test
