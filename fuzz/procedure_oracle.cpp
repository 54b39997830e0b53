#include "fuzz/procedure_oracle.h"

#include "host/qvnorvane/interpolation.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace norvane::fuzz {
namespace {

constexpr int kArguments = 5;
constexpr bool kVector[kArguments] = {false, true, true, false, false};
constexpr bool kReferenceOnly[kArguments] = {false, true, true, false, true};

bool ByReference(const ArgumentRequest& a) {
    return a.form != ArgumentForm::Constant;
}

int Listed(const ArgumentRequest& a) {
    return static_cast<int>(a.elements.size());
}

long double Abs(long double v) {
    return v < 0 ? -v : v;
}

// The row of a point in segment k at weight w (0 at its left end, 1 at its right end), each
// derivative with the error that rounding w and the slope to doubles could cause.
DerivativeRow SegmentRow(const std::vector<double>& xs, const std::vector<double>& ys, int k,
                         long double w) {
    const int n = static_cast<int>(xs.size());
    const long double slope = (static_cast<long double>(ys[k + 1]) - ys[k]) /
                              (static_cast<long double>(xs[k + 1]) - xs[k]);
    DerivativeRow row;
    row.derivatives.assign(2 + 2 * n, 0.0L);
    row.tolerances.assign(2 + 2 * n, 0.0L);
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
DerivativeRow HeldRow(int n, int h) {
    DerivativeRow row;
    row.derivatives.assign(2 + 2 * n, 0.0L);
    row.tolerances.assign(2 + 2 * n, 0.0L);
    row.derivatives[1 + n + h] = 1;
    return row;
}

// The flags that apply to the table, the point and the mode, before the point's place.
std::vector<int> InputFailures(double point, const std::vector<double>& xs,
                               const std::vector<double>& ys, int mode) {
    std::vector<int> failures;
    if (xs.size() < 2 || ys.size() < 2) failures.push_back(qvnorvane::TooFewPoints);
    if (xs.size() != ys.size()) failures.push_back(qvnorvane::UnequalLengths);
    const auto finite = [](double v) { return std::isfinite(v); };
    if (!std::all_of(xs.begin(), xs.end(), finite) || !std::all_of(ys.begin(), ys.end(), finite) ||
        !std::isfinite(point))
        failures.push_back(qvnorvane::NotANumber);
    for (std::size_t k = 1; k < xs.size(); ++k)
        if (!(xs[k - 1] < xs[k])) {
            failures.push_back(qvnorvane::NotIncreasing);
            break;
        }
    if (mode < 0 || mode > 2) failures.push_back(qvnorvane::UnknownMode);
    return failures;
}

} // namespace

Listing ClassifyListing(const ProcedureRequest& request) {
    const PassRequest& counting = request.passes[0];
    const PassRequest& filling = request.passes[1];
    if (counting.lastArguments < 1 || counting.arguments.size() < kArguments ||
        filling.arguments.size() < kArguments)
        return Listing::Broken;
    int elements[kArguments] = {1, 1, 1, 1, 1};
    for (int i = 0; i < kArguments; ++i) {
        if (!kVector[i]) continue;
        const std::vector<int>& sizes = counting.arguments[i].sizes;
        if (sizes.empty()) return Listing::Broken;
        elements[i] = std::max(0, sizes.front());
    }
    for (int i = 0; i < kArguments; ++i) {
        const ArgumentRequest& a = filling.arguments[i];
        if (ByReference(a) ? Listed(a) != elements[i] : kReferenceOnly[i] || Listed(a) != 0)
            return Listing::Broken;
    }
    for (int i = 0; i < kArguments; ++i) {
        const ArgumentRequest& c = counting.arguments[i];
        const ArgumentRequest& f = filling.arguments[i];
        if (ByReference(c) != ByReference(f) || Listed(c) != Listed(f)) return Listing::Either;
    }
    return Listing::Sound;
}

std::vector<InputPlace> InputPlaces(const ProcedureRequest& request) {
    std::vector<InputPlace> places;
    for (int slot = 0; slot < kArguments - 1; ++slot) {
        const ArgumentRequest& a = request.passes[1].arguments[slot];
        if (!ByReference(a)) places.push_back({-1, slot});
        for (int variable : a.elements)
            places.push_back({variable, slot});
    }
    return places;
}

bool DerivativeRow::Agrees(const std::vector<double>& entries,
                           const std::vector<int>& columns) const {
    const long double largest = DBL_MAX;
    for (std::size_t j = 0; j < columns.size(); ++j) {
        const long double expected = std::clamp(-derivatives[columns[j]], -largest, largest);
        const long double tolerance = std::min(tolerances[columns[j]], 1e-9L * largest);
        if (!(Abs(entries[j] - expected) <= tolerance)) return false;
    }
    return true;
}

bool Expectation::Allows(int flag) const {
    return std::find(failures.begin(), failures.end(), flag) != failures.end();
}

Expectation Expect(int callType, double point, const std::vector<double>& xs,
                   const std::vector<double>& ys, int mode) {
    Expectation e;
    e.successAllowed = false;
    if (callType != 0 && callType != 1 && callType != 2 && callType != 4) {
        e.failures = {qvnorvane::UnknownCallType};
        return e;
    }
    e.failures = InputFailures(point, xs, ys, mode);
    if (!e.failures.empty()) return e;
    const int n = static_cast<int>(xs.size());
    const bool below = point<xs.front(), above = point> xs.back();
    if ((below || above) && mode == 0) {
        e.failures = {qvnorvane::OutsideTable};
        return e;
    }
    if ((below || above) && mode == 2) {
        const int held = below ? 0 : n - 1;
        e.value = ys[held];
        e.rows = {HeldRow(n, held)};
    } else {
        // The segment whose left end is the last abscissa not above the point, within the table.
        const int upper =
            static_cast<int>(std::upper_bound(xs.begin(), xs.end(), point) - xs.begin());
        const int k = std::clamp(upper - 1, 0, n - 2);
        const long double w = (static_cast<long double>(point) - xs[k]) /
                              (static_cast<long double>(xs[k + 1]) - xs[k]);
        const long double rise = static_cast<long double>(ys[k + 1]) - ys[k];
        e.value = ys[k] + w * rise;
        // Relative to the terms, and a few of the smallest steps for subnormal ones.
        e.tolerance = 1e-9L * (Abs(ys[k]) + Abs(ys[k + 1]) + Abs(w * rise)) +
                      4 * (1 + Abs(w)) * static_cast<long double>(DBL_TRUE_MIN);
        e.rows = {SegmentRow(xs, ys, k, w)};
        // On a knot the derivatives of either side are right.
        if (point == xs[k] && k > 0) e.rows.push_back(SegmentRow(xs, ys, k - 1, 1));
        if (point == xs.front() && mode == 2) e.rows.push_back(HeldRow(n, 0));
        if (point == xs.back() && mode == 2) e.rows.push_back(HeldRow(n, n - 1));
    }
    // A value beyond the double range is a failure of its own; at its edge either is right.
    const long double magnitude = Abs(e.value);
    const long double edge = static_cast<long double>(DBL_MAX);
    if (magnitude > edge * (1 - 1e-12L)) e.failures = {qvnorvane::BeyondRange};
    e.successAllowed = magnitude <= edge * (1 + 1e-12L);
    return e;
}

} // namespace norvane::fuzz
