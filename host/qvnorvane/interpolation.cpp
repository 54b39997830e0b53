#include "host/qvnorvane/interpolation.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "host/qvnorvane/line_value.h"

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
    const long double left = t.x[segment], right = t.x[segment + 1];
    const double value =
        LineValue(t.x[segment], t.y[segment], t.x[segment + 1], t.y[segment + 1], point);
    if (std::isinf(value)) return BeyondRange;
    const long double weight = (point - left) / (right - left);
    result = {value, segment, weight, -1};
    return Done;
}

double Derivative(const Table& t, const Interpolation& at, int column) {
    const int firstX = 2, firstY = 2 + t.xCount;
    if (at.held >= 0) return column == firstY + at.held ? 1.0 : 0.0;
    const int k = at.segment;
    const long double slope = (static_cast<long double>(t.y[k + 1]) - t.y[k]) /
                              (static_cast<long double>(t.x[k + 1]) - t.x[k]);
    long double derivative = 0.0L;
    if (column == 1) derivative = slope;
    if (column == firstX + k) derivative = -slope * (1 - at.weight);
    if (column == firstX + k + 1) derivative = -slope * at.weight;
    if (column == firstY + k) derivative = 1 - at.weight;
    if (column == firstY + k + 1) derivative = at.weight;
    return static_cast<double>(std::clamp<long double>(derivative, -DBL_MAX, DBL_MAX));
}

} // namespace qvnorvane
