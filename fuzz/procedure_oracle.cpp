#include "fuzz/procedure_oracle.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>

#include "host/qvnorvane/interpolation.h"

namespace norvane::fuzz {
namespace {

constexpr int kArguments = 5;
constexpr bool kVector[kArguments] = {false, true, true, false, false};
constexpr bool kReferenceOnly[kArguments] = {false, true, true, false, true};

using Row = Expectation::Row;

long double Abs(long double v) {
    return v < 0 ? -v : v;
}

Row Zeros(int n) {
    return {std::vector<long double>(2 + 2 * n), std::vector<long double>(2 + 2 * n)};
}

// The row of a point in segment k at weight w (0 at its left end, 1 at its right end), each
// derivative with the error that rounding w and the slope to doubles could cause.
Row SegmentRow(const CallInputs& in, int k, long double w) {
    const int n = static_cast<int>(in.xs.size());
    const long double slope = (static_cast<long double>(in.ys[k + 1]) - in.ys[k]) /
                              (static_cast<long double>(in.xs[k + 1]) - in.xs[k]);
    Row row = Zeros(n);
    const auto set = [&](int column, long double derivative, long double scale) {
        row.derivatives[column] = derivative;
        row.tolerances[column] = 1e-9L * scale + 4 * static_cast<long double>(DBL_TRUE_MIN);
    };
    set(0, slope, Abs(slope));
    set(1 + k, -slope * (1 - w), Abs(slope) * (1 + Abs(w)));
    set(2 + k, -slope * w, Abs(slope) * (1 + Abs(w)));
    set(1 + n + k, 1 - w, 1 + Abs(w));
    set(2 + n + k, w, 1 + Abs(w));
    return row;
}

// The row of a value held at ordinate h.
Row HeldRow(int n, int h) {
    Row row = Zeros(n);
    row.derivatives[1 + n + h] = 1;
    return row;
}

// Whether the routine can work on the inputs at all: a known call type, a table of at least
// two points with as many ordinates as abscissae, all finite and strictly increasing, a finite
// point and a known mode.
bool Workable(int callType, const CallInputs& in) {
    const auto finite = [](double v) { return std::isfinite(v); };
    return (callType == 0 || callType == 1 || callType == 2 || callType == 4) &&
           in.xs.size() >= 2 && in.xs.size() == in.ys.size() &&
           std::all_of(in.xs.begin(), in.xs.end(), finite) &&
           std::all_of(in.ys.begin(), in.ys.end(), finite) && std::isfinite(in.point) &&
           std::adjacent_find(in.xs.begin(), in.xs.end(), std::greater_equal<double>()) ==
               in.xs.end() &&
           in.mode >= 0 && in.mode <= 2;
}

} // namespace

Listing Classify(const ListedPass& counting, bool closed, const ListedPass& filling) {
    if (!closed || counting.size() < kArguments || filling.size() < kArguments)
        return Listing::Broken;
    std::size_t elements[kArguments] = {1, 1, 1, 1, 1};
    for (int i = 0; i < kArguments; ++i) {
        if (!kVector[i]) continue;
        if (counting[i].sizes.empty()) return Listing::Broken;
        elements[i] = static_cast<std::size_t>(std::max(0, counting[i].sizes.front()));
    }
    Listing listing = Listing::Sound;
    for (int i = 0; i < kArguments; ++i) {
        const ListedArgument& c = counting[i];
        const ListedArgument& f = filling[i];
        if (f.byReference ? f.elements.size() != elements[i]
                          : kReferenceOnly[i] || !f.elements.empty())
            return Listing::Broken;
        if (c.byReference != f.byReference || c.elements.size() != f.elements.size())
            listing = Listing::Either;
    }
    return listing;
}

bool Expectation::RowAgrees(const std::vector<double>& entries,
                            const std::vector<int>& columns) const {
    const long double largest = DBL_MAX;
    return std::any_of(rows.begin(), rows.end(), [&](const Row& row) {
        for (std::size_t j = 0; j < columns.size(); ++j) {
            const long double expected =
                std::clamp(-row.derivatives[columns[j]], -largest, largest);
            const long double tolerance = std::min(row.tolerances[columns[j]], 1e-9L * largest);
            if (!(Abs(entries[j] - expected) <= tolerance)) return false;
        }
        return true;
    });
}

Expectation Expect(int callType, const CallInputs& in) {
    Expectation e;
    if (!Workable(callType, in)) return e;
    const int n = static_cast<int>(in.xs.size());
    const bool below = in.point<in.xs.front(), above = in.point> in.xs.back();
    if ((below || above) && in.mode == qvnorvane::FailOutside) return e;
    if ((below || above) && in.mode == qvnorvane::HoldEnds) {
        const int held = below ? 0 : n - 1;
        e.value = in.ys[held];
        e.rows = {HeldRow(n, held)};
    } else {
        // The segment whose left end is the last abscissa not above the point, within the table.
        const auto upper = std::upper_bound(in.xs.begin(), in.xs.end(), in.point);
        const int k = std::clamp(static_cast<int>(upper - in.xs.begin()) - 1, 0, n - 2);
        const long double w = (static_cast<long double>(in.point) - in.xs[k]) /
                              (static_cast<long double>(in.xs[k + 1]) - in.xs[k]);
        const long double rise = static_cast<long double>(in.ys[k + 1]) - in.ys[k];
        e.value = in.ys[k] + w * rise;
        // Relative to the terms, and a few of the smallest steps for subnormal ones.
        e.tolerance = 1e-9L * (Abs(in.ys[k]) + Abs(in.ys[k + 1]) + Abs(w * rise)) +
                      4 * (1 + Abs(w)) * static_cast<long double>(DBL_TRUE_MIN);
        e.rows = {SegmentRow(in, k, w)};
        // On a knot the derivatives of either side are right.
        if (in.point == in.xs[k] && k > 0) e.rows.push_back(SegmentRow(in, k - 1, 1));
        if (in.point == in.xs.front() && in.mode == qvnorvane::HoldEnds)
            e.rows.push_back(HeldRow(n, 0));
        if (in.point == in.xs.back() && in.mode == qvnorvane::HoldEnds)
            e.rows.push_back(HeldRow(n, n - 1));
    }
    // A value beyond the double range is a failure of its own; at its edge either is right.
    const long double magnitude = Abs(e.value), edge = DBL_MAX;
    e.failureAllowed = magnitude > edge * (1 - 1e-12L);
    e.successAllowed = magnitude <= edge * (1 + 1e-12L);
    return e;
}

} // namespace norvane::fuzz
