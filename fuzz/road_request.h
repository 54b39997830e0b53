// A request for the road of a distribution, decoded from fuzz input: the number of directions,
// the type of each direction's domain and whether the distribution refers to it, then one or two
// rounds of the road on the same objects, each with what the user fixes on each domain, the
// INTEGRALS the user asks for and the order in which the host drives the objects. Decoding
// accepts every input; the node bound tells, before anything is made, whether the grids the
// request asks for stay small.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace norvane::fuzz {

// Which of the library's domain types a direction uses.
enum class DomainKind : unsigned char { Domain, Length, Angle };

// What the user fixes on one direction in one round. What a round leaves unfixed, the
// assignments compute, or keep from before where they assign nothing.
struct AxisRequest {
    std::string method; // DISCRETIZATIONMETHOD
    int sections = 1;   // NUMSECTIONS
    double length = 1.0;
    bool spacingFixed = false; // SPACINGPREFERENCE
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

struct RoundRequest {
    AxisRequest axes[3];
    bool integralsFixed = false; // INTEGRALS
    std::string integrals;       // the set as text: each member followed by a double quote
    // True: every object's SetDims first, then every assignment; false: each domain's SetDims
    // and assignments, then the distribution's.
    bool dimsFirst = false;
};

struct RoadRequest {
    int dimensions = 1; // 1, 2 or 3
    DomainKind kinds[3] = {DomainKind::Length, DomainKind::Length, DomainKind::Length};
    bool linked[3] = {true, true, true}; // the distribution's reference to the domain is linked
    std::vector<RoundRequest> rounds;    // one or two
};

RoadRequest DecodeRoadRequest(const std::uint8_t* data, std::size_t size);

// Whether every round stays within `nodesPerAxis` along every direction and `gridPoints` over
// the product of all directions: of the nodes of each domain's grid, in any run of its
// assignments, and of the elements, node locations and polynomial points they walk.
bool WithinBounds(const RoadRequest& request, double nodesPerAxis, double gridPoints);

} // namespace norvane::fuzz
