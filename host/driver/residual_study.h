// The residuals of the distribution's equations for a manufactured smooth solution, per
// sub-block, and how they shrink as the grid is refined.
//
// The solution is that of manufactured_solution.h: VALUE and the derivative arrays take f and
// its derivatives at each node, each integral array the integral of f over the one interval
// (cell) that ends at the node, 0 at node 0 of any direction it spans.
#pragma once

#include <string>
#include <vector>

#include "host/driver/distribution_road.h"
#include "host/driver/model_library.h"
#include "host/driver/options.h"
#include "host/driver/progress.h"

// The sub-block of an equation, told by the array of its first variable leaf: an index into
// the kind's sub-blocks, or their count for an equation of none of them ("other").
std::size_t SubBlockOf(const QV_ModelType& model, int equation, const DistributionArrays& arrays);

struct SubBlockResiduals {
    // Per sub-block, the last one "other".
    std::vector<int> equations;
    std::vector<double> largest; // largest |residual|; NaN when one is not a number
    // The largest residual that rounding alone may leave: 1e-13 times the larger of the sum
    // of the magnitudes of the terms a residual adds up and of max |x| * max |f| (the node
    // locations are rounded, and an integral over an interval moves with its ends).
    std::vector<double> roundingFloor;
    int malformed = 0; // equations the host could not evaluate
};

// Gives the distribution's variables the manufactured solution at the road's node locations;
// false with `error` set when an element's node has no location or lies outside its grid.
bool Manufacture(const DistributionRoad& road, std::string& error);

// The largest |residual| of each sub-block at the variables' current values, which are the
// manufactured solution on the road's grid.
SubBlockResiduals MeasureResiduals(const DistributionRoad& road, Progress* progress = nullptr);

struct StudyLevel {
    std::vector<double> spacings; // per direction
    std::vector<int> endNodes;    // per direction
    SubBlockResiduals residuals;
};

struct ResidualStudy {
    std::vector<StudyLevel> levels; // spacing S, S/2, S/4
    std::string skipped;            // why the study stopped early; empty when it ran through
};

// The study refines to spacing S, S/2 and S/4: level k asks for the request's road with the
// spacing of every direction halved k times.
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
