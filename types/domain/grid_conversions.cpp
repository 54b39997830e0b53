#include "types/domain/grid_conversions.h"

#include <limits>

namespace {
constexpr long long IntMin = std::numeric_limits<int>::min();
constexpr long long IntMax = std::numeric_limits<int>::max();
} // namespace

int TruncateToInt(double x) {
    // Truncation toward zero lands in [-2^31, 2^31 - 1] exactly when -2^31 - 1 < x < 2^31;
    // both bounds are doubles, and NaN fails both tests.
    if (!(x > -2147483649.0 && x < 2147483648.0)) return norvane::OutOfRange;
    return static_cast<int>(x);
}

int NearestInteger(double x) {
    return TruncateToInt(x >= 0.0 ? x + 0.5 : x - 0.5);
}

namespace norvane {

int CountOrSentinel(long long count) {
    return IsNodeNumber(count) ? static_cast<int>(count) : OutOfRange;
}

bool IsNodeNumber(long long node) {
    return node >= IntMin && node <= IntMax;
}

QV_IntSetValue NodeRange(long long low, long long high) {
    if (low < IntMin) low = IntMin;
    if (high > IntMax) high = IntMax;
    if (high < low) return QV_IntSetValue(nullptr);
    return QV_IntSetValue(static_cast<int>(low), static_cast<int>(high));
}

} // namespace norvane
