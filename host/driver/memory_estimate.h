// How much memory a request needs, estimated before anything is built, and how much the
// machine can give. A road is described by its counts (nodes, equation instances, variable
// objects, variable references); unit costs turn counts into bytes. A distribution's road
// plugs in by counting itself (road_counts.h); the plan then decides whether the road fits
// and how many refinements of the residual study fit beside it.
#pragma once

#include <string>
#include <vector>

#include "host/driver/options.h"

// The counts of one road, from which its memory follows.
struct RoadCounts {
    double nodes = 0;      // grid nodes, all directions together
    double equations = 0;  // equation instances of the distribution
    double variables = 0;  // variable objects: the distribution's elements and the node locations
    double references = 0; // variable references of all equations
};

// Bytes per counted item, measured with the host stand-in on 64-bit Linux (a 32-bit build
// needs less).
struct UnitCosts {
    double perNode = 80;       // the driver's copy of the grid, the domain's node sets and the
                               // scratch of its assignments
    double perEquation = 24;   // the structure record and the expression record
    double perVariable = 120;  // the object, its array slot, its index values, its number
    double perReference = 20;  // in the structure (a pointer), in the expression (a number),
                               // and its Jacobian entry
    double perRoad = 16 << 20; // models, expression shapes, names, the libraries' own blocks
};

double EstimateBytes(const RoadCounts& counts, const UnitCosts& costs = UnitCosts());

// What a request may use: the memory available less a tenth kept for the rest of the system,
// and no more than --max-memory; negative when neither is known.
double MemoryBudget(const DriverOptions& options);

// The memory of a request: its road, and the road of each refinement of the residual study,
// each built while the request's road is kept (one refinement at a time).
struct MemoryPlan {
    double budget = -1; // bytes the request may use; negative: no limit known
    double road = 0;    // bytes of the request's road
    bool roadFits = true;
    std::string refusal; // why the road does not fit
    int levels = 0;      // refinements admitted, from the first
    std::string bound;   // why the study stops before its last refinement; empty: it does not
};

// `refinements` in the order the study runs them, each with its spacing as text. A road or
// refinement of more than `maxNodes` nodes is left to the road's own node limit, which names it.
MemoryPlan PlanMemory(const RoadCounts& road, const std::vector<RoadCounts>& refinements,
                      const std::vector<std::string>& spacings, double budget, double maxNodes);

// "850 MB", "4.2 GB".
std::string MemoryText(double bytes);
