#include "host/driver/road_counts.h"

#include <algorithm>

#include "host/driver/domain_grid.h"
#include "host/driver/residual_study.h"

RoadCounts CountRoad(const DriverOptions& options) {
    constexpr double ReferencesPerEquation = 7.5;
    const bool integrals = std::find(options.integrals.begin(), options.integrals.end(), "idx") !=
                           options.integrals.end();
    const int subBlocks = (options.order > 0) + (options.order > 1) + (integrals ? 1 : 0);
    RoadCounts counts;
    counts.nodes = NodeBound(options);
    counts.equations = subBlocks * counts.nodes + 1;
    counts.variables = (2 + subBlocks) * counts.nodes;
    counts.references = ReferencesPerEquation * counts.equations;
    return counts;
}

MemoryPlan PlanRequest(const DriverOptions& options) {
    std::vector<RoadCounts> refinements;
    std::vector<double> spacings;
    for (int k = 0; k < StudyLevelCount; ++k) {
        const DriverOptions level = StudyLevelOptions(options, k);
        refinements.push_back(CountRoad(level));
        spacings.push_back(level.spacing);
    }
    return PlanMemory(CountRoad(options), refinements, spacings, MemoryBudget(options),
                      static_cast<double>(options.maxNodes));
}
