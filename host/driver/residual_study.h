// The residuals of the distribution's equations for a manufactured smooth solution, per
// sub-block, and how they shrink as the grid is refined.
//
// The solution is f(x) = sin(3x) + x^2: VALUE, DDX and D2DX2 take f, f' and f'' at each node
// location, IDX(i) the integral of f over the one interval that ends at node i (IDX(0) = 0).
#pragma once

#include <string>
#include <vector>

#include "host/driver/distribution_road.h"
#include "host/driver/model_library.h"
#include "host/driver/options.h"
#include "host/driver/progress.h"

// The sub-block of an equation, told by the array of its first variable leaf.
enum class SubBlock { FirstDerivative, SecondDerivative, Integral, Other };
constexpr int SubBlockCount = 4;
const char* SubBlockName(SubBlock block); // "first derivative", ...

SubBlock SubBlockOf(const QV_ModelType& model, int equation, const DistributionArrays& arrays);

struct SubBlockResiduals {
    int equations[SubBlockCount] = {};
    double largest[SubBlockCount] = {}; // largest |residual|; NaN when one is not a number
    // The largest residual that rounding alone may leave: 1e-13 times the larger of the sum
    // of the magnitudes of the terms a residual adds up and of max |x| * max |f| (the node
    // locations are rounded, and an integral over an interval moves with its ends).
    double roundingFloor[SubBlockCount] = {};
    int malformed = 0; // equations the host could not evaluate
};

// Gives the distribution's variables the manufactured solution at the road's node locations;
// false with `error` set when a node has no location.
bool Manufacture(const DistributionRoad& road, std::string& error);

// The largest |residual| of each sub-block at the variables' current values, which are the
// manufactured solution on `grid`.
SubBlockResiduals MeasureResiduals(const QV_ModelType& model, const DistributionArrays& arrays,
                                   const DomainGrid& grid, Progress* progress = nullptr);

struct StudyLevel {
    double spacing = 0.0;
    int endNode = 0;
    SubBlockResiduals residuals;
};

struct ResidualStudy {
    std::vector<StudyLevel> levels; // spacing S, S/2, S/4
    std::string skipped;            // why the study stopped early; empty when it ran through
};

// The study refines to spacing S, S/2 and S/4: level k asks for the request's road with the
// spacing halved k times.
constexpr int StudyLevelCount = 3;
DriverOptions StudyLevelOptions(const DriverOptions& options, int k);

// How far the study may go: its first `levels` spacings; `reason` says why not further.
struct StudyBound {
    int levels = StudyLevelCount;
    std::string reason;
};

// Runs the whole road afresh at each spacing the bound admits (S from the options),
// manufactures the solution on each and measures its residuals, telling `progress` (when
// given) of each road and of the share of residuals measured.
ResidualStudy StudyResiduals(ModelLibrary& library, const DriverOptions& options,
                             const StudyBound& bound = StudyBound(), Progress* progress = nullptr);

// log2(r_coarse / r_fine): the observed order when the spacing halves. Infinite when the fine
// residual is 0 and the coarse one is not; NaN when both are 0 or either is not a number.
double ObservedOrder(double coarse, double fine);
