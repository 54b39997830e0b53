// Conversions between the real and the integer quantities of a node grid.
//
// NearestInteger and TruncateToInt turn a double into an int. A value that is not a number,
// or whose truncation does not fit in 32 bits, gives -2147483648; the range is tested before
// the conversion, so no input is undefined behaviour.
//
// Node numbers and node counts are formed in 64 bits and brought back to 32 bits here:
// a count that leaves the 32-bit range becomes -2147483648, like the conversions above, and a
// node number outside it names no node, so ranges of node numbers keep only their members
// inside the 32-bit range.
#pragma once

#include "framework/library_api.h"
#include "host/qvcore.h"

// x rounded half away from zero: x + 0.5 (x >= 0) or x - 0.5 (otherwise, NaN included),
// truncated toward zero.
NORVANE_API int NearestInteger(double x);
// x truncated toward zero.
NORVANE_API int TruncateToInt(double x);

namespace norvane {

// The sentinel of the conversions: a count or node number that 32 bits cannot hold.
constexpr int OutOfRange = -2147483647 - 1;

// `count`, or OutOfRange when it does not fit in 32 bits.
NORVANE_API int CountOrSentinel(long long count);
// True when `node` fits in 32 bits and so can name a node.
NORVANE_API bool IsNodeNumber(long long node);
// The integers low .. high that fit in 32 bits; empty when there are none.
NORVANE_API QV_IntSetValue NodeRange(long long low, long long high);

} // namespace norvane
