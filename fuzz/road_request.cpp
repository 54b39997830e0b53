#include "fuzz/road_request.h"

#include "fuzz/byte_reader.h"

#include <algorithm>
#include <cctype>
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

// A known name with the letters whose bit is set in the next byte in the other case.
std::string InSomeCase(const char* name, ByteReader& in) {
    std::string text = name;
    const int mask = in.Byte();
    for (std::size_t k = 0; k < text.size() && k < 8; ++k) {
        if (!(mask & (1 << k))) continue;
        const unsigned char c = static_cast<unsigned char>(text[k]);
        text[k] = static_cast<char>(std::isupper(c) ? std::tolower(c) : std::toupper(c));
    }
    return text;
}

// Mostly one of the names, in any case; else any text.
template <std::size_t N> std::string NameOrText(const char* const (&names)[N], ByteReader& in) {
    const int code = in.Byte();
    if (code < 224) return InSomeCase(names[code % N], in);
    return in.Text();
}

// Mostly a value of the table or a multiple of 1/16 below 14; else any double.
double Real(ByteReader& in) {
    const int code = in.Byte();
    if (code < kRealCount) return kReals[code];
    if (code < 248) return (code - kRealCount) / 16.0;
    return in.RawDouble();
}

AxisRequest DecodeAxis(ByteReader& in) {
    AxisRequest axis;
    axis.method = NameOrText(kMethods, in);
    axis.sections = in.SmallOrAnyInt(-1, 12);
    axis.length = Real(in);
    axis.spacingFixed = in.Flag();
    if (axis.spacingFixed) axis.spacing = Real(in);
    axis.orderFixed = in.Byte() < 240;
    if (axis.orderFixed) axis.order = in.SmallOrAnyInt(-1, 5);
    axis.minNodesFixed = in.Flag();
    if (axis.minNodesFixed) axis.minNodes = in.SmallOrAnyInt(-2, 12);
    axis.polyPointsFixed = in.Flag();
    if (axis.polyPointsFixed) axis.polyPoints = in.SmallOrAnyInt(-2, 8);
    axis.interiorFixed = in.Byte() >= 224;
    if (axis.interiorFixed) {
        for (int k = in.Choice(8); k > 0; --k)
            axis.interior.push_back(in.SmallOrAnyInt(-2, 40));
    }
    axis.ownOrderFixed = in.Byte() >= 224;
    if (axis.ownOrderFixed) axis.ownOrder = in.SmallOrAnyInt(-1, 5);
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
    round.integralsFixed = members < 240;
    if (round.integralsFixed) {
        for (int k = members % 5; k > 0; --k)
            round.integrals += NameOrText(kIntegralNames, in) + '"';
    }
    return round;
}

// The values that a domain's grid can still hold from the rounds before: the assignments keep
// a value that they do not assign, and the first run measures each section from the
// locations that the run before it left.
struct Carried {
    double length = 0.0;  // the largest finite length of a round before
    double minimum = 4.0; // the largest MINNODECOUNT, of the methods or fixed
    double points = 3.0;  // the largest NUMPOLYPOINTS, of the methods or fixed
};

// An upper bound of the nodes of the domain's grid and of the elements, node locations and
// polynomial points that its assignments walk; a huge value when the inputs allow no bound.
double NodeBound(const AxisRequest& axis, Carried& carried) {
    constexpr double kNoBound = std::numeric_limits<double>::max();
    if (axis.minNodesFixed)
        carried.minimum = std::max(carried.minimum, std::fabs(1.0 * axis.minNodes));
    if (axis.polyPointsFixed)
        carried.points = std::max(carried.points, std::fabs(1.0 * axis.polyPoints));
    const double before = carried.length;
    if (std::isfinite(axis.length))
        carried.length = std::max(carried.length, std::fabs(axis.length));
    // The domain's index set of polynomial points has one member per point, sections or not.
    const double points = carried.points;
    const double sections = axis.sections;
    if (sections < 1) return 1.0 + points; // no section: the grid is node 0 alone
    // A section is at most as long as this round's length and the last round's together:
    // its end is located by the run before.
    const double spacing = axis.spacingFixed ? axis.spacing : axis.length * 0.125 / sections;
    const double reach = std::fabs(axis.length) + before;
    double asked = std::fabs(reach / spacing);
    if (!std::isfinite(asked)) {
        // A finite length over a finite, non-zero spacing can still ask for anything.
        if (std::isfinite(reach) && std::isfinite(spacing) && spacing != 0.0) return kNoBound;
        asked = 0.0; // the node count asked for is no number: the minimum is taken
    }
    // A section gets the minimum count or the asked count rounded to whole elements; with
    // points or minimum below zero the counts turn negative, and their size still bounds the
    // elements and nodes that the assignments walk.
    return sections * std::max(carried.minimum, asked + points + 2.0) + 1.0 + points;
}

} // namespace

RoadRequest DecodeRoadRequest(const std::uint8_t* data, std::size_t size) {
    ByteReader in(data, size);
    RoadRequest request;
    request.dimensions = 1 + in.Choice(3);
    for (int d = 0; d < request.dimensions; ++d) {
        const int kind = in.Byte();
        request.kinds[d] = static_cast<DomainKind>(kind % 3);
        request.linked[d] = kind < 248;
    }
    request.rounds.push_back(DecodeRound(in, request.dimensions));
    if (in.Byte() >= 192) request.rounds.push_back(DecodeRound(in, request.dimensions));
    return request;
}

bool WithinBounds(const RoadRequest& request, double nodesPerAxis, double gridPoints) {
    Carried carried[3];
    for (const RoundRequest& round : request.rounds) {
        double product = 1.0;
        for (int d = 0; d < request.dimensions; ++d) {
            const double nodes = NodeBound(round.axes[d], carried[d]);
            if (nodes > nodesPerAxis) return false;
            product *= nodes;
        }
        if (product > gridPoints) return false;
    }
    return true;
}

} // namespace norvane::fuzz
