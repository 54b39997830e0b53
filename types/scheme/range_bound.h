// Upper bounds of index sets that are products of a domain's ENDNODE and a switch: formed in
// 64 bits, so that the domain's -2147483648 sentinel cannot overflow them. A bound beyond the
// 32-bit range names no node, and the range it ends is empty.
#pragma once

#include <climits>

namespace norvane {

inline int RangeBound(long long bound) {
    return bound > INT_MAX || bound < INT_MIN ? -1 : static_cast<int>(bound);
}

// ENDNODE times a factor (a switch of 0 or 1, or 2f - 1 of 1 or -1).
inline int ScaledEnd(int end, int factor) {
    return RangeBound(static_cast<long long>(end) * factor);
}

} // namespace norvane
