// The counts of the road that a request asks for, read from its options before anything is
// built, and the memory plan of the whole request. Each kind of road counts itself here.
#pragma once

#include "host/driver/memory_estimate.h"
#include "host/driver/options.h"

// One LENGTHDOMAIN per direction and a DISTRIBUTION1D, 2D or 3D: up to NodeBound nodes (the
// product of the directions' bounds), one equation per node for each sub-block that runs (the
// first and second derivative along each direction up to its order, each integral array that
// the INTEGRALS write) and a start equation, the distribution's VALUE and the elements of
// each sub-block's array at every node and the node locations as variables, at most 7.5
// variable references per equation (the longest stencils average 7, in any direction).
// Measured over roads of 10^5 to 10^6 equations, the estimate exceeds the peak of the road it
// counts by about 15% in one, two and three directions even with the nodes counted exactly;
// NodeBound's allowance per section adds to that.
RoadCounts CountRoad(const DriverOptions& options);

// The request's road and the refinements of its residual study, against MemoryBudget.
MemoryPlan PlanRequest(const DriverOptions& options);
