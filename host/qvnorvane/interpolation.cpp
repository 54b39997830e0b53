#include "host/qvnorvane/interpolation.h"

#include <algorithm>
#include <cmath>

namespace qvnorvane {

namespace {

Failure CheckTable(const Table& t) {
    if (t.xCount < 2 || t.yCount < 2) return TooFewPoints;
    if (t.xCount != t.yCount) return UnequalLengths;
    for (int k = 0; k < t.xCount; ++k)
        if (!std::isfinite(t.x[k]) || !std::isfinite(t.y[k])) return NotANumber;
    for (int k = 1; k < t.xCount; ++k)
        if (!(t.x[k - 1] < t.x[k])) return NotIncreasing;
    return Done;
}

} // namespace

Failure Interpolate(const Table& t, double point, int mode, Interpolation& result) {
    const Failure table = CheckTable(t);
    if (table != Done) return table;
    if (!std::isfinite(point)) return NotANumber;
    if (mode != FailOutside && mode != Extrapolate && mode != HoldEnds) return UnknownMode;
    const int last = t.xCount - 1;
    const bool below = point < t.x[0];
    const bool above = point > t.x[last];
    if ((below || above) && mode == FailOutside) return OutsideTable;
    if ((below || above) && mode == HoldEnds) {
        result = {below ? t.y[0] : t.y[last], -1, 0.0, below ? 0 : last};
        return Done;
    }
    // The segment whose left end is the last abscissa not above the point, kept inside the
    // table: the end segments serve the points beyond the ends.
    const int upper = static_cast<int>(std::upper_bound(t.x, t.x + t.xCount, point) - t.x);
    const int segment = std::clamp(upper - 1, 0, last - 1);
    const double left = t.x[segment], right = t.x[segment + 1];
    const double weight = (point - left) / (right - left);
    result = {t.y[segment] + weight * (t.y[segment + 1] - t.y[segment]), segment, weight, -1};
    return std::isfinite(result.value) ? Done : NotANumber;
}

double Derivative(const Table& t, const Interpolation& at, int column) {
    const int firstX = 2, firstY = 2 + t.xCount;
    if (at.held >= 0) return column == firstY + at.held ? 1.0 : 0.0;
    const int k = at.segment;
    const double slope = (t.y[k + 1] - t.y[k]) / (t.x[k + 1] - t.x[k]);
    if (column == 1) return slope;
    if (column == firstX + k) return -slope * (1.0 - at.weight);
    if (column == firstX + k + 1) return -slope * at.weight;
    if (column == firstY + k) return 1.0 - at.weight;
    if (column == firstY + k + 1) return at.weight;
    return 0.0;
}

} // namespace qvnorvane
