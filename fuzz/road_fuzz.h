// The road fuzz target: a request for the road of a one-, two- or three-dimensional
// distribution decoded from the input, the road run through the host stand-in as a host drives
// it, and what must hold after each round whatever the user fixed.
#pragma once

#include "host/qv_system.h"
#include "types/domain/domain.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace norvane::fuzz {

// What the user fixes on one direction's domain in one round; what is left empty is unfixed,
// so the assignments compute it, or keep it from before where they assign nothing.
struct AxisRequest {
    std::string method; // DISCRETIZATIONMETHOD
    int sections = 1;   // NUMSECTIONS
    double length = 1.0;
    std::optional<double> spacing;       // SPACINGPREFERENCE
    std::optional<int> order;            // HIGHESTORDERDERIVATIVE
    std::optional<int> minNodes;         // MINNODECOUNT
    std::optional<int> polyPoints;       // NUMPOLYPOINTS
    std::optional<QV_SetValue> interior; // INTERIOR, an integer set
    std::optional<int> ownOrder;         // the distribution's HIGHESTORDER<d>DERIVATIVE
    int assignmentRuns = 2;              // how often the host runs the domain's assignments
};

struct RoundRequest {
    AxisRequest axes[3];
    std::optional<std::string> integrals; // INTEGRALS as text: each member and a double quote
    // True: every object's SetDims first, then every assignment; false: each domain's SetDims
    // and assignments, then the distribution's.
    bool dimsFirst = false;
};

struct RoadRequest {
    int dimensions = 1;                  // 1, 2 or 3
    bool linked[3] = {true, true, true}; // the distribution's reference to the domain is linked
    std::vector<RoundRequest> rounds;    // one or two, on the same objects
};

// Accepts every input.
RoadRequest DecodeRoadRequest(const std::uint8_t* data, std::size_t size);

// Whether no round can make a grid of more than `nodesPerAxis` along a direction or
// `gridPoints` in all, nor walk more elements, node locations or polynomial points.
bool WithinBounds(const RoadRequest& request, double nodesPerAxis, double gridPoints);

// The objects of a road and what its last round gave.
struct Road {
    const RoadRequest& request;
    QV_DOMAIN* domains[3];
    QV_ModelType* distribution;
    int status;              // what SetUpEquations returned
    qvhost::Pattern pattern; // what the expression pass wrote
};

// A refusal is one of the grid check's statuses (the one of a domain not linked exactly when
// one is not) and leaves no equation; accepted equations agree between the passes and address
// only nodes of their arrays' grids and of their own section; every index set holds only nodes
// of its direction's grid. Aborts at the first fault.
void CheckRoad(const Road& road);

} // namespace norvane::fuzz
