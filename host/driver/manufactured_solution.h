// A smooth manufactured solution over one to three directions whose derivatives and interval
// integrals are exact in closed form: the product of one factor per direction,
//   g_d(t) = sin(a_d t + p_d) + t^2,  (a, p) = (3, 0) along x, (2, 1) along y, (4, 0.5) along z,
// so that in one direction it is f(x) = sin(3x) + x^2.
#pragma once

#include <string>

#include "host/driver/distribution_kind.h"

// "f(x) = sin(3x) + x^2", "f(x, y) = (sin(3x) + x^2)(sin(2y + 1) + y^2)".
std::string SolutionText(int dims);

// g_d(t).
double SolutionFactor(int d, double t);

// Where an element of the distribution sits: per direction the location of its node and, for
// a direction that an integral spans, that of the node before it (ignored at node 0).
struct NodePlace {
    double at[MaxDims] = {};
    double before[MaxDims] = {};
    bool first[MaxDims] = {}; // node 0 of its direction
};

// The exact value of an element of `block`'s array at `place`; of the VALUE array when `block`
// is null. Derivatives are taken at the node; an integral runs over the interval that ends at
// the node along each direction it spans, and is 0 at node 0 of any of them.
double ExactValue(const SubBlockKind* block, const NodePlace& place, int dims);
