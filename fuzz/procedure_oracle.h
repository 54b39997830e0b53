// What a life of the interpolation procedure should come to, worked out apart from the
// procedure: how its argument list stands to the listing rules of generated code, and what
// INTERP should make of a call, by a piecewise-linear interpolation of its own in extended
// precision.
#pragma once

#include <vector>

namespace norvane::fuzz {

// One argument as a pass listed it: by reference (Argument(variable) or Argument()) or as a
// constant, with the variables listed under it as elements and the dimension sizes given.
struct ListedArgument {
    bool byReference = true;
    std::vector<int> elements;
    std::vector<int> sizes;
};
using ListedPass = std::vector<ListedArgument>;

// How a listing stands to the rules: one Argument per argument of the signature (a real, two
// real vectors, an integer, the real output; further ones ignored), a dimension size for each
// vector in the counting pass (further ones ignored), and under each argument given by
// reference exactly as many elements as its size says (one for a scalar).
enum class Listing {
    Sound,  // both passes follow the rules and agree: every call must go through
    Broken, // the counting pass is not closed or incomplete, or the filling pass breaks the
            // rules: every call is refused, and nothing is made or called
    Either  // the filling pass follows the rules but the counting pass listed other elements
            // or other forms: a call may go through (on what the filling pass gave) or not
};

Listing Classify(const ListedPass& counting, bool closed, const ListedPass& filling);

// The input values of a call: the point, the abscissae, the ordinates, the mode.
struct CallInputs {
    double point = 0;
    std::vector<double> xs, ys;
    int mode = 0;
};

// What INTERP should make of one call.
struct Expectation {
    // The derivatives of the value with respect to each input value in column order (the
    // point, the abscissae, the ordinates, the mode), and how far a double computation of each
    // may stray.
    struct Row {
        std::vector<long double> derivatives, tolerances;
    };
    // Both only where the value lies at the edge of the double range.
    bool successAllowed = false;
    bool failureAllowed = true;
    long double value = 0;
    long double tolerance = 0;
    // One row for a point inside a segment, one per side on a knot: either is right.
    std::vector<Row> rows;

    // Whether `entries`, the negated derivatives for the input values `columns`, agree with a
    // row, a derivative beyond the double range being held at the largest double of its sign.
    bool RowAgrees(const std::vector<double>& entries, const std::vector<int>& columns) const;
};

// For a call of type `callType` (as the routine sees it).
Expectation Expect(int callType, const CallInputs& in);

} // namespace norvane::fuzz
