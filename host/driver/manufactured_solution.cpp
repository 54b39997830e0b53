#include "host/driver/manufactured_solution.h"

#include <cmath>

namespace {

struct Factor {
    double a, p;
    const char* text; // g(t) with t written as %s
};
constexpr Factor Factors[MaxDims] = {
    {3, 0, "sin(3x) + x^2"}, {2, 1, "sin(2y + 1) + y^2"}, {4, 0.5, "sin(4z + 0.5) + z^2"}};

// The derivative of the given order of g at t.
double Derivative(const Factor& g, int order, double t) {
    switch (order) {
    case 1:
        return g.a * std::cos(g.a * t + g.p) + 2 * t;
    case 2:
        return -g.a * g.a * std::sin(g.a * t + g.p) + 2;
    default:
        return std::sin(g.a * t + g.p) + t * t;
    }
}

// The integral of g over [lo, hi], written without the difference of two antiderivative
// values, which would lose the digits that a short interval's integral needs.
double IntervalIntegral(const Factor& g, double lo, double hi) {
    const double half = 0.5 * g.a;
    const double w = hi - lo;
    return 2.0 / g.a * std::sin(half * (lo + hi) + g.p) * std::sin(half * w) +
           w * (lo * lo + lo * hi + hi * hi) / 3;
}

} // namespace

std::string SolutionText(int dims) {
    if (dims == 1) return std::string("f(x) = ") + Factors[0].text;
    std::string arguments, product;
    for (int d = 0; d < dims; ++d) {
        arguments += std::string(d ? ", " : "") + DirectionName(d);
        product += std::string("(") + Factors[d].text + ")";
    }
    return "f(" + arguments + ") = " + product;
}

double SolutionFactor(int d, double t) {
    return Derivative(Factors[d], 0, t);
}

double ExactValue(const SubBlockKind* block, const NodePlace& place, int dims) {
    double product = 1.0;
    for (int d = 0; d < dims; ++d) {
        const Factor& g = Factors[d];
        if (block && (block->span >> d & 1u)) {
            if (place.first[d]) return 0.0;
            product *= IntervalIntegral(g, place.before[d], place.at[d]);
        } else {
            const bool along = block && block->order > 0 && block->direction == d;
            product *= Derivative(g, along ? block->order : 0, place.at[d]);
        }
    }
    return product;
}
