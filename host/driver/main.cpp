// qvhost: loads the model library as a host does and runs the road of one request: a length
// domain and a one-dimensional distribution on it, from the user's inputs to the registered
// equations. Prints the node grid, the equations per group and how the residuals of a
// manufactured solution shrink as the grid is refined; optionally dumps it all as JSON.
// With --catalog it runs no road: it prints what the library offers to a host instead; with
// --procedure it runs the road of one call of the interpolation procedure instead.
#include <cstdio>
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
#include "host/driver/residual_study.h"
#include "host/driver/study_output.h"

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

} // namespace

int main(int argc, char** argv) {
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

    DistributionRoad road;
    const RoadStatus status = road.Run(library, options);
    if (status == RoadStatus::Failed) return Fail(road.Problem());
    PrintGrid(stdout, options, road.Grid());
    if (status == RoadStatus::Refused) {
        std::fflush(stdout);
        return Fail("refused: " + road.Problem() + " (SetUpEquations returned " +
                    std::to_string(road.SetUpStatus()) + ")");
    }
    PrintEquationSummary(stdout, road);
    PrintResidualStudy(stdout, StudyResiduals(library, options));
    if (!options.dumpPath.empty() && !WriteDump(options.dumpPath, road, error)) return Fail(error);
    return 0;
}
