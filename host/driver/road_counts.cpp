#include "host/driver/road_counts.h"

#include "host/driver/distribution_kind.h"
#include "host/driver/domain_grid.h"
#include "host/driver/grid_output.h"
#include "host/driver/residual_study.h"

namespace {

// Variable references per equation instance, above the largest average measured over a
// road of any method, order and integrals: 6.84 in one direction, 6.94 in two, 6.71 in three.
constexpr double ReferencesPerEquation = 7.5;

} // namespace

RoadCounts CountRoad(const DriverOptions& options) {
    const DistributionKind& kind = KindOf(options.dims);
    // One equation per node for each derivative sub-block that runs and each integral array
    // that is written.
    double perNode = static_cast<double>(WrittenIntegrals(kind, options.integrals).size());
    double directionNodes = 0;
    for (int d = 0; d < kind.dims; ++d) {
        const int order = options.axes[d].order;
        perNode += (order > 0) + (order > 1);
        directionNodes += NodeBound(options.axes[d]);
    }
    RoadCounts counts;
    counts.nodes = NodeBound(options);
    counts.equations = perNode * counts.nodes + 1;
    // VALUE and the array of each sub-block at every node, and the node locations.
    counts.variables = (1 + perNode) * counts.nodes + directionNodes;
    counts.references = ReferencesPerEquation * counts.equations;
    return counts;
}

MemoryPlan PlanRequest(const DriverOptions& options) {
    std::vector<RoadCounts> refinements;
    std::vector<std::string> spacings;
    for (int k = 0; k < StudyLevelCount; ++k) {
        const DriverOptions level = StudyLevelOptions(options, k);
        refinements.push_back(CountRoad(level));
        spacings.push_back(SpacingText(level));
    }
    return PlanMemory(CountRoad(options), refinements, spacings, MemoryBudget(options),
                      static_cast<double>(options.maxNodes));
}
