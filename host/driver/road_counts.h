// The counts of the road that a request asks for, read from its options before anything is
// built, and the memory plan of the whole request. Each kind of road counts itself here.
#pragma once

#include "host/driver/memory_estimate.h"
#include "host/driver/options.h"

// A LENGTHDOMAIN and a DISTRIBUTION1D: up to NodeBound nodes, one equation per node for
// each sub-block that runs (first derivative, second derivative, integrals) and the start
// equation, the distribution's VALUE and the elements of each sub-block's array and the
// node locations as variables, at most 7.5 variable references per equation (the longest
// stencils average 7).
RoadCounts CountRoad(const DriverOptions& options);

// The request's road and the refinements of its residual study, against MemoryBudget.
MemoryPlan PlanRequest(const DriverOptions& options);
