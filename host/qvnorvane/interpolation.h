// Piecewise-linear interpolation in a table (X, Y): the value at a point and its derivatives
// with respect to the point and to every table entry.
#pragma once

namespace qvnorvane {

// The routine's failure flags.
enum Failure : int {
    Done = 0,
    TooFewPoints = 2,      // fewer than two points
    UnequalLengths = 3,    // abscissae and ordinates of different counts
    NotIncreasing = 4,     // abscissae not strictly increasing
    NotANumber = 5,        // the point or a table entry is not a finite number
    UnknownMode = 6,       // the mode is not 0, 1 or 2
    OutsideTable = 7,      // the point lies outside the table under mode 0
    UnknownCallType = 8,   // a call type other than 0, 1, 2 and 4
    UnusableArguments = 9, // a pointer that the call needs is null
    BeyondRange = 10       // the value lies beyond the double range
};

// What a failure flag says.
inline const char* FailureText(int flag) {
    switch (flag) {
    case Done:
        return "done";
    case TooFewPoints:
        return "the table has fewer than two points";
    case UnequalLengths:
        return "the abscissae and the ordinates differ in number";
    case NotIncreasing:
        return "the abscissae do not increase strictly";
    case NotANumber:
        return "the point or a table entry is not a finite number";
    case UnknownMode:
        return "the mode is not 0, 1 or 2";
    case OutsideTable:
        return "the point lies outside the table under mode 0";
    case UnknownCallType:
        return "the call type is not known";
    case UnusableArguments:
        return "an argument that the call needs is missing";
    case BeyondRange:
        return "the value lies beyond the range of a double";
    default:
        return "the routine was not run";
    }
}

// What happens outside the table.
enum Mode : int { FailOutside = 0, Extrapolate = 1, HoldEnds = 2 };

struct Table {
    const double* x; // abscissae, xCount of them
    int xCount;
    const double* y; // ordinates, yCount of them
    int yCount;
};

// How the value at a point is made: from segment `segment` (between abscissae segment and
// segment + 1) at weight `weight` (0 at its left end, 1 at its right end, outside [0, 1] when
// extrapolated), or held at the ordinate `held` (-1 when not held).
//
// The value is the line's through the segment's ends within one rounding (see LineValue): the
// true value where that is a double, however large the entries or small their differences.
// Weights and derivatives are worked out in extended precision, whose range holds every
// difference and quotient of doubles.
struct Interpolation {
    double value;
    int segment;
    long double weight;
    int held;
};

// Checks the table, the point and the mode; Done with `result` filled, else the failure. A value
// beyond the double range is BeyondRange.
Failure Interpolate(const Table& table, double point, int mode, Interpolation& result);

// The derivative of the value with respect to input value `column` (1-based: 1 the point,
// 2 .. 1 + xCount the abscissae, then the ordinates, then the mode); 0 for any other column.
// A derivative beyond the double range is held at the largest double of its sign.
double Derivative(const Table& table, const Interpolation& at, int column);

} // namespace qvnorvane
