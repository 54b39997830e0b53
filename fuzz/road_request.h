// A request for the road of a distribution, decoded from fuzz input: the number of directions,
// what the user fixes on each direction's domain, the INTEGRALS the user asks for and the
// order in which the host drives the objects. Decoding accepts every input; the node bound
// tells, before anything is made, whether the grid the request asks for stays small.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace norvane::fuzz {

// Which of the library's domain types a direction uses.
enum class DomainKind : unsigned char { Domain, Length, Angle };

struct AxisRequest {
    DomainKind kind = DomainKind::Length;
    bool linked = true; // the distribution's reference to this domain is linked
    std::string method; // DISCRETIZATIONMETHOD
    int sections = 1;   // NUMSECTIONS
    double length = 1.0;
    bool spacingFixed = false; // else the domain computes its own
    double spacing = 0.0;
    bool orderFixed = false; // HIGHESTORDERDERIVATIVE
    int order = 0;
    bool minNodesFixed = false; // MINNODECOUNT
    int minNodes = 0;
    bool polyPointsFixed = false; // NUMPOLYPOINTS
    int polyPoints = 0;
    bool interiorFixed = false; // INTERIOR
    std::vector<int> interior;
    bool ownOrderFixed = false; // the distribution's HIGHESTORDER<d>DERIVATIVE
    int ownOrder = 0;
    int assignmentRuns = 2; // 0, 1 or 2: how often the host runs the domain's assignments
};

struct RoadRequest {
    int dimensions = 1; // 1, 2 or 3
    AxisRequest axes[3];
    bool integralsFixed = false; // else the distribution keeps its default
    std::string integrals;       // the set as text: each member followed by a double quote
    // True: every object's SetDims first, then every assignment; false: each domain's SetDims
    // and assignments, then the distribution's.
    bool dimsFirst = false;
};

RoadRequest DecodeRoadRequest(const std::uint8_t* data, std::size_t size);

// An upper bound of the nodes of the domain's grid, in any run of its assignments, and of the
// elements, node locations and polynomial points they walk; a huge value when the inputs allow
// no bound.
double NodeBound(const AxisRequest& axis);

// Whether the road stays within `nodesPerAxis` along every direction and `gridPoints` over
// the product of all directions.
bool WithinBounds(const RoadRequest& request, double nodesPerAxis, double gridPoints);

} // namespace norvane::fuzz
