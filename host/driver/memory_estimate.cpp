#include "host/driver/memory_estimate.h"

#include <cstdio>

#include "host/driver/system_memory.h"

double EstimateBytes(const RoadCounts& counts, const UnitCosts& costs) {
    return costs.perRoad + counts.nodes * costs.perNode + counts.equations * costs.perEquation +
           counts.variables * costs.perVariable + counts.references * costs.perReference;
}

double MemoryBudget(const DriverOptions& options) {
    const double available = MemoryAvailable();
    double budget = available >= 0 ? 0.9 * available : -1.0;
    const double limit = static_cast<double>(options.maxMemoryMB) * 1024.0 * 1024.0;
    if (options.maxMemoryMB > 0 && (budget < 0 || limit < budget)) budget = limit;
    return budget;
}

std::string MemoryText(double bytes) {
    char text[32];
    if (bytes >= 1024.0 * 1024.0 * 1024.0)
        std::snprintf(text, sizeof text, "%.1f GB", bytes / (1024.0 * 1024.0 * 1024.0));
    else
        std::snprintf(text, sizeof text, "%.0f MB", bytes / (1024.0 * 1024.0));
    return text;
}

MemoryPlan PlanMemory(const RoadCounts& road, const std::vector<RoadCounts>& refinements,
                      const std::vector<std::string>& spacings, double budget, double maxNodes) {
    MemoryPlan plan;
    plan.budget = budget;
    plan.road = EstimateBytes(road);
    const std::string available = budget >= 0 ? MemoryText(budget) : "";
    if (budget >= 0 && road.nodes <= maxNodes && plan.road > budget) {
        char nodes[32];
        std::snprintf(nodes, sizeof nodes, "%.4g", road.nodes);
        plan.roadFits = false;
        plan.refusal = std::string("the grid of up to ") + nodes + " nodes would need about " +
                       MemoryText(plan.road) + " of memory, more than the " + available +
                       " this run may use";
        return plan;
    }
    for (std::size_t k = 0; k < refinements.size(); ++k) {
        const double bytes = EstimateBytes(refinements[k]);
        if (budget >= 0 && refinements[k].nodes <= maxNodes && plan.road + bytes > budget) {
            plan.bound = "at spacing " + spacings[k] + ": it would need about " +
                         MemoryText(bytes) + " beside the " + MemoryText(plan.road) +
                         " of the road, more than the " + available + " this run may use";
            break;
        }
        ++plan.levels;
    }
    return plan;
}
