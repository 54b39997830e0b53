// Fuzz target: the road of a one-, two- or three-dimensional distribution for any request a
// user can make, run through the host stand-in once, or twice on the same objects with other
// inputs, and checked after each round (road_checks.h). Requests whose grids would pass a few
// thousand nodes are skipped before anything is made. Every block the road takes must be back
// when its objects are released.
#include "fuzz/fault.h"
#include "fuzz/road_checks.h"
#include "fuzz/road_run.h"

#include <cstddef>
#include <cstdint>

namespace {
constexpr double kNodesPerAxis = 4000.0;
constexpr double kGridPoints = 4000.0;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace norvane::fuzz;
    const RoadRequest request = DecodeRoadRequest(data, size);
    if (!WithinBounds(request, kNodesPerAxis, kGridPoints)) return 0;
    const long blocks = qvhost::LiveBlocks();
    {
        RoadRun road(request);
        for (std::size_t round = 0; round < request.rounds.size(); ++round) {
            road.Run(round);
            CheckRoad(road);
        }
    }
    if (qvhost::LiveBlocks() != blocks)
        Fault("%ld blocks left after Release", qvhost::LiveBlocks() - blocks);
    return 0;
}
