// What a procedure request should come to, worked out apart from the procedure: whether its
// argument list follows the listing rules of generated code, and what INTERP should make of a
// call, computed in extended precision by a piecewise-linear interpolation of its own.
#pragma once

#include "fuzz/procedure_request.h"

#include <vector>

namespace norvane::fuzz {

// How a listing stands to the rules: one Argument per argument of the signature (a real, two
// real vectors, an integer, the real output, further arguments ignored), a dimension size for
// each vector in the counting pass (further ones ignored), and for each argument given by
// reference exactly as many elements as its size says (one for a scalar).
enum class Listing {
    // Both passes follow the rules and agree: every call must go through.
    Sound,
    // The counting pass is incomplete or the filling pass breaks the rules: every call must be
    // refused, and nothing made or called.
    Broken,
    // The filling pass follows the rules, but the counting pass lists other elements or other
    // by-reference choices: a call may go through (on what the filling pass gave) or not.
    Either
};

Listing ClassifyListing(const ProcedureRequest& request);

// One input value of the call, in the order of the routine's columns (the point, the
// abscissae, the ordinates, the mode): the variable that gives it, or -1 for a constant.
struct InputPlace {
    int variable;
    int slot; // the argument, 0 .. 3
};

// The input values of the filling pass, in column order; needs a filling pass that follows the
// rules.
std::vector<InputPlace> InputPlaces(const ProcedureRequest& request);

// The derivatives of the value with respect to each input value (column order) on one side of
// the point, and how far a double computation of each may stray.
struct DerivativeRow {
    std::vector<long double> derivatives;
    std::vector<long double> tolerances;
    // Whether `entries` (negated derivatives, one per column in `columns`) agree with the row,
    // a derivative beyond the double range being held at the largest double of its sign.
    bool Agrees(const std::vector<double>& entries, const std::vector<int>& columns) const;
};

// What INTERP should make of one call.
struct Expectation {
    // The failure flags that a correct routine may report.
    std::vector<int> failures;
    // Whether it may succeed: false when a flag applies, true and false together only where the
    // value lies at the edge of the double range.
    bool successAllowed = true;
    // The value, and how far a double computation of it may stray.
    long double value = 0;
    long double tolerance = 0;
    // One row for a point inside a segment, one per side for a point on a knot: either is right.
    std::vector<DerivativeRow> rows;

    bool Allows(int flag) const;
};

// The expectation for a call of type `callType` (the type the routine sees) on these inputs.
Expectation Expect(int callType, double point, const std::vector<double>& xs,
                   const std::vector<double>& ys, int mode);

} // namespace norvane::fuzz
