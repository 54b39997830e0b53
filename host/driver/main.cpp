// qvhost: loads the model library as a host does and runs the road of one request: a length
// domain per direction and a distribution over one, two or three of them, from the user's
// inputs to the registered equations. Prints each direction's node grid, the equations per
// group and how the residuals of a manufactured solution shrink as the grid is refined;
// optionally dumps it all as JSON.
// What would not fit in memory is refused before anything is built.
// With --catalog it runs no road: it prints what the library offers to a host instead; with
// --procedure it runs the road of one call of the interpolation procedure instead.
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "host/driver/catalog.h"
#include "host/driver/distribution_road.h"
#include "host/driver/dump_file.h"
#include "host/driver/dynamic_library.h"
#include "host/driver/equation_output.h"
#include "host/driver/grid_output.h"
#include "host/driver/model_library.h"
#include "host/driver/options.h"
#include "host/driver/procedure_command.h"
#include "host/driver/progress.h"
#include "host/driver/residual_study.h"
#include "host/driver/road_counts.h"
#include "host/driver/study_output.h"
#include "host/qv_memory.h"

namespace {

#if defined(_WIN32)
const char* const LibraryFile = "Norvane340_1.dll";
#else
const char* const LibraryFile = "Norvane340_1.so";
#endif

int Fail(const std::string& message) {
    std::fprintf(stderr, "qvhost: %s\n", message.c_str());
    return 1;
}

// Should memory run out all the same (the system gave others what the estimate counted on),
// the run ends with a message rather than an exception.
void OutOfMemory() {
    std::fflush(stdout);
    std::fputs("qvhost: out of memory: the system gave less than the estimate counted on (see "
               "--max-memory)\n",
               stderr);
    std::exit(1);
}

// The work of a run in nodes handled: the road, each refinement's road and residuals, the
// dump.
double RunWork(const DriverOptions& options, const StudyBound& bound) {
    const double road = CountRoad(options).nodes;
    double work = options.dumpPath.empty() ? road : 2 * road;
    for (int k = 0; k < bound.levels; ++k)
        work += 2 * CountRoad(StudyLevelOptions(options, k)).nodes;
    return work;
}

// Each direction's grid; in one direction headed by the domain's type alone, as always.
void PrintGrids(std::FILE* out, const DriverOptions& options, const DistributionRoad& road) {
    for (int d = 0; d < options.dims; ++d) {
        if (d > 0) std::fputc('\n', out);
        const std::string title =
            options.dims == 1 ? "LENGTHDOMAIN" : road.Kind().references[d] + " (LENGTHDOMAIN)";
        PrintGrid(out, title, options.axes[d], road.Grid(d));
    }
}

int Run(int argc, char** argv) {
    DriverOptions options;
    std::string error;
    switch (ParseOptions(argc, argv, options, error)) {
    case ParseResult::Help:
        std::fputs(Usage(), stdout);
        std::fputs(ProcedureUsage(), stdout);
        return 0;
    case ParseResult::Error:
        std::fprintf(stderr, "qvhost: %s (see qvhost --help)\n", error.c_str());
        return 2;
    case ParseResult::Run:
        break;
    }

    // Declared before the road: it must stay loaded until the road's models are released.
    ModelLibrary library;
    const std::string path = ExecutableDirectory() + LibraryFile;
    if (!library.Open(path, error)) return Fail(error);
    if (options.catalog) {
        // The catalog needs no grid: the road's options and its node limit do not apply.
        PrintCatalog(stdout, library, path);
        return 0;
    }
    if (options.procedure.run) return RunProcedureCommand(library, options);

    // Before anything is built: a road that would not fit in memory is refused, and the
    // study refines only as far as memory allows beside the road.
    const MemoryPlan plan = PlanRequest(options);
    if (!plan.roadFits) return Fail("refused: " + plan.refusal + " (see --max-memory)");
    const StudyBound bound{plan.levels, plan.bound};
    std::set_new_handler(OutOfMemory);
    Progress progress(RunWork(options, bound));
    progress.Phase("road", CountRoad(options).nodes);

    DistributionRoad road;
    const RoadStatus status = road.Run(library, options);
    if (status == RoadStatus::Failed) return Fail(road.Problem());
    PrintGrids(stdout, options, road);
    if (status == RoadStatus::Refused) {
        std::fflush(stdout);
        return Fail("refused: " + road.Problem() + " (SetUpEquations returned " +
                    std::to_string(road.SetUpStatus()) + ")");
    }
    PrintEquationSummary(stdout, road);
    PrintResidualStudy(stdout, road.Kind(), StudyResiduals(library, options, bound, &progress));
    if (!options.dumpPath.empty())
        progress.Phase("writing " + options.dumpPath, CountRoad(options).nodes);
    if (!options.dumpPath.empty() && !WriteDump(options.dumpPath, road, error)) return Fail(error);
    progress.Finish();
    return 0;
}

// The status of a run in which the host's allocator refused a free, whatever the run's own.
constexpr int RefusedFreeStatus = 3;

} // namespace

// A pointer given to MyFree that was no live block of the host's allocator is a fault of the
// library or of the host, which the allocator refused rather than corrupt its heap. It is
// reported after all that the run printed (the library is unloaded by then, its models gone),
// and fails the run.
int main(int argc, char** argv) {
    const int status = Run(argc, argv);
    const long refused = qvhost::RefusedFrees();
    if (refused == 0) return status;
    std::fflush(stdout);
    std::fprintf(
        stderr, "qvhost: the host's allocator refused to free %ld %s of its own\n", refused,
        refused == 1 ? "pointer that was no live block" : "pointers that were no live blocks");
    return RefusedFreeStatus;
}
