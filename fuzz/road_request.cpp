// Decodes a road request from any input, and bounds its grids before anything is made.
#include "fuzz/byte_reader.h"
#include "fuzz/road_fuzz.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace norvane::fuzz {
namespace {

const char* const kMethods[] = {"BFD1", "BFD2",  "CFD2",  "CFD4",  "FFD1",
                                "FFD2", "OCFE2", "OCFE3", "OCFE4", "UBFD4"};
const char* const kIntegralNames[] = {"idx",   "idy",   "idz",     "idxdy",
                                      "idxdz", "idydz", "idxdydz", "none"};
constexpr double kInf = std::numeric_limits<double>::infinity();
const double kReals[] = {1.0,    0.5,      2.0,     0.0,   -0.0, -1.0, 0.1,  0.125,
                         1e-300, 1e300,    kInf,    -kInf, NAN,  3.7,  1e-9, 10.0,
                         100.0,  4.9e-324, 1.7e308, -0.25, 0.3,  7.0,  1e-3, 0.01};
constexpr int kRealCount = static_cast<int>(sizeof kReals / sizeof kReals[0]);

// Mostly a value of the table or a multiple of 1/16 below 14; else any double.
double Real(ByteReader& in) {
    const int code = in.Byte();
    if (code < kRealCount) return kReals[code];
    if (code < 248) return (code - kRealCount) / 16.0;
    return in.RawDouble();
}

AxisRequest DecodeAxis(ByteReader& in) {
    AxisRequest axis;
    axis.method = in.NameOrText(kMethods);
    axis.sections = in.SmallOrAnyInt(-1, 12);
    axis.length = Real(in);
    if (in.Flag()) axis.spacing = Real(in);
    if (in.Byte() < 240) axis.order = in.SmallOrAnyInt(-1, 5);
    if (in.Flag()) axis.minNodes = in.SmallOrAnyInt(-2, 12);
    if (in.Flag()) axis.polyPoints = in.SmallOrAnyInt(-2, 8);
    if (in.Byte() >= 224) {
        axis.interior.emplace(SUValue::TypeIntegerSet);
        for (int k = in.Choice(8); k > 0; --k)
            *axis.interior += in.SmallOrAnyInt(-2, 40);
    }
    if (in.Byte() >= 224) axis.ownOrder = in.SmallOrAnyInt(-1, 5);
    const int runs = in.Byte();
    axis.assignmentRuns = runs < 16 ? 0 : runs < 32 ? 1 : 2;
    return axis;
}

RoundRequest DecodeRound(ByteReader& in, int dimensions) {
    RoundRequest round;
    round.dimsFirst = in.Flag();
    for (int d = 0; d < dimensions; ++d)
        round.axes[d] = DecodeAxis(in);
    const int members = in.Byte();
    if (members < 240) {
        round.integrals.emplace();
        for (int k = members % 5; k > 0; --k)
            *round.integrals += in.NameOrText(kIntegralNames) + '"';
    }
    return round;
}

// An upper bound of the nodes of direction d's grid in any round, and of the elements, node
// locations and polynomial points that its assignments walk; infinite when the inputs allow
// none. A domain keeps from the rounds before what its assignments do not assign (a fixed
// MINNODECOUNT or NUMPOLYPOINTS), and its first run measures each section from the locations
// that the run before left: the largest values and the lengths so far together bound it.
double NodeBound(const RoadRequest& request, int d) {
    double reach = 0.0, minimum = 4.0, points = 3.0, bound = 0.0; // the methods' own at most
    for (const RoundRequest& round : request.rounds) {
        const AxisRequest& axis = round.axes[d];
        if (std::isfinite(axis.length)) reach += std::fabs(axis.length);
        minimum = std::max(minimum, std::fabs(1.0 * axis.minNodes.value_or(0)));
        points = std::max(points, std::fabs(1.0 * axis.polyPoints.value_or(0)));
        const double sections = axis.sections, extra = 1.0 + points; // node 0, the point set
        bound = std::max(bound, 1.0 + extra);                        // no section: node 0 alone
        if (sections < 1) continue;
        const double spacing = axis.spacing.value_or(axis.length * 0.125 / sections);
        double asked = std::fabs(reach / spacing);
        if (!std::isfinite(asked)) {
            // A finite length over a finite spacing, not zero, can still ask for anything.
            if (std::isfinite(reach) && std::isfinite(spacing) && spacing != 0.0) return kInf;
            asked = 0.0; // no number of nodes asked for: each section gets its minimum
        }
        // A section gets the minimum count or the asked count rounded up to whole elements;
        // negative points or minimum make the counts negative, and their size still bounds
        // what the assignments walk.
        bound = std::max(bound, sections * std::max(minimum, asked + points + 2.0) + extra);
    }
    return bound;
}

} // namespace

RoadRequest DecodeRoadRequest(const std::uint8_t* data, std::size_t size) {
    ByteReader in(data, size);
    RoadRequest request;
    request.dimensions = 1 + in.Choice(3);
    for (int d = 0; d < request.dimensions; ++d)
        request.linked[d] = in.Byte() < 248;
    request.rounds.push_back(DecodeRound(in, request.dimensions));
    if (in.Byte() >= 192) request.rounds.push_back(DecodeRound(in, request.dimensions));
    return request;
}

bool WithinBounds(const RoadRequest& request, double nodesPerAxis, double gridPoints) {
    double product = 1.0;
    for (int d = 0; d < request.dimensions; ++d) {
        const double nodes = NodeBound(request, d);
        if (nodes > nodesPerAxis) return false;
        product *= nodes;
    }
    return product <= gridPoints;
}

} // namespace norvane::fuzz
