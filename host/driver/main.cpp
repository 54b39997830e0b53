// qvhost: loads the model library as a host does, creates a length domain, fixes its inputs
// from the command line, runs its assignments and prints the node grid it lays out.
#include <cstdio>
#include <string>

#include "host/driver/domain_grid.h"
#include "host/driver/dynamic_library.h"
#include "host/driver/grid_output.h"
#include "host/driver/model_library.h"
#include "host/driver/options.h"

namespace {

#if defined(_WIN32)
const char* const LibraryFile = "Norvane340_1.dll";
#else
const char* const LibraryFile = "Norvane340_1.so";
#endif

// The arguments with which the host runs the assignments of a model at the top of its tree.
constexpr int TopLevel = 1;
constexpr int FirstPass = 0;

int Fail(const std::string& message) {
    std::fprintf(stderr, "qvhost: %s\n", message.c_str());
    return 1;
}

std::string TooMany(double nodes, long long limit) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "the grid would need about %.4g nodes, more than --max-nodes %lld allows", nodes,
                  limit);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    DriverOptions options;
    std::string error;
    switch (ParseOptions(argc, argv, options, error)) {
    case ParseResult::Help:
        std::fputs(Usage(), stdout);
        return 0;
    case ParseResult::Error:
        std::fprintf(stderr, "qvhost: %s (see qvhost --help)\n", error.c_str());
        return 2;
    case ParseResult::Run:
        break;
    }

    // Refuse before any node is made: a grid too large for memory must not be attempted.
    const double bound = NodeBound(options);
    if (bound > static_cast<double>(options.maxNodes))
        return Fail(TooMany(bound, options.maxNodes));

    ModelLibrary library;
    if (!library.Open(ExecutableDirectory() + LibraryFile, error)) return Fail(error);
    ModelPtr domain = library.Create("LENGTHDOMAIN", error);
    if (!domain) return Fail(error);
    if (!FixDomainInputs(*domain, options, error)) return Fail(error);

    domain->SetDims();
    domain->ExecuteAssignments(TopLevel, FirstPass);
    // The first run lays the sections out from the locations they had before it; the grid it
    // gives already shows whether the settled one can be made.
    int endNode = 0;
    if (!ReadEndNode(*domain, endNode, error)) return Fail(error);
    if (endNode < 0) return Fail("the grid's node count does not fit in 32 bits");
    if (endNode > options.maxNodes) return Fail(TooMany(endNode, options.maxNodes));
    domain->ExecuteAssignments(TopLevel, FirstPass);

    DomainGrid grid;
    if (!ReadGrid(*domain, grid, error)) return Fail(error);
    PrintGrid(stdout, options, grid);
    if (!options.dumpPath.empty() && !WriteGridJson(options.dumpPath, grid, error))
        return Fail(error);
    return 0;
}
