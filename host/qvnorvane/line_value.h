// The value at a point of the line through two points of a table, within one rounding.
#pragma once

namespace qvnorvane {

// The value at `x` of the line through (x0, y0) and (x1, y1), x0 < x1, all finite:
// (y0 (x1 - x) + y1 (x - x0)) / (x1 - x0), its numerator summed exactly in extended precision
// and divided once, then rounded to a double. The result is the true value where that is a
// double, else one of the two doubles around it; beyond the double range it is infinite.
double LineValue(double x0, double y0, double x1, double y1, double x);

} // namespace qvnorvane
