#include "host/driver/procedure_command.h"

#include <cstdio>

#include "host/driver/procedure_output.h"

int RunProcedureCommand(const ModelLibrary& library, const DriverOptions& options) {
    ProcedureRoadResult result;
    std::string problem;
    if (!RunProcedureRoad(library, options.procedure, result, problem)) {
        std::fprintf(stderr, "qvhost: %s\n", problem.c_str());
        return 1;
    }
    PrintProcedureRoad(stdout, options.procedure, result);
    std::fflush(stdout);
    if (!options.dumpPath.empty() &&
        !WriteProcedureDump(options.dumpPath, options.procedure, result, problem)) {
        std::fprintf(stderr, "qvhost: %s\n", problem.c_str());
        return 1;
    }
    if (!result.FirstFailure()) return 0;
    std::fprintf(stderr, "qvhost: INTERP failed: %s\n", ProcedureFailureText(result).c_str());
    return 1;
}
