#include "host/driver/procedure_options.h"

#include <algorithm>
#include <cstdio>

#include "host/driver/options.h"

namespace {

// One side of a table entry: nothing when empty, else a number for `list`.
bool ReadSide(const std::string& text, std::vector<double>& list) {
    double value = 0;
    if (text.empty()) return true;
    if (!ReadOptionReal(text.c_str(), value)) return false;
    list.push_back(value);
    return true;
}

// "X:Y", "X:" or ":Y", entries separated by commas.
bool ReadTable(const std::string& text, std::vector<double>& xs, std::vector<double>& ys) {
    std::vector<double> readX, readY;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        const std::string entry = text.substr(start, comma - start);
        const std::size_t colon = entry.find(':');
        if (colon == std::string::npos || entry.size() == 1) return false;
        if (!ReadSide(entry.substr(0, colon), readX) || !ReadSide(entry.substr(colon + 1), readY))
            return false;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    xs = readX;
    ys = readY;
    return true;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

} // namespace

bool IsProcedureOption(const std::string& name) {
    return name == "--x" || name == "--table" || name == "--mode";
}

bool ApplyProcedureOption(const std::string& name, const char* value, ProcedureOptions& options,
                          std::string& error) {
    bool ok = true;
    if (name == "--x") {
        ok = ReadOptionReal(value, options.x);
    } else if (name == "--mode") {
        ok = ReadOptionInt(value, options.mode);
    } else if (name == "--table" && !ReadTable(value, options.xs, options.ys)) {
        error = "malformed value '" + std::string(value) +
                "' for --table: give entries X:Y separated by commas (X: or :Y for one side "
                "only)";
        return false;
    }
    if (!ok) error = "malformed value '" + std::string(value) + "' for " + name;
    return ok;
}

std::string TableText(const ProcedureOptions& options) {
    std::string text;
    for (std::size_t k = 0; k < std::max(options.xs.size(), options.ys.size()); ++k) {
        if (k > 0) text += ",";
        if (k < options.xs.size()) text += Number(options.xs[k]);
        text += ":";
        if (k < options.ys.size()) text += Number(options.ys[k]);
    }
    return text;
}

const char* ProcedureUsage() {
    return "\n"
           "Procedure road (--procedure): instead of the distribution, one call of the\n"
           "interpolation procedure QVProc_INTERPOLATE on a model of the host, its routine\n"
           "INTERP taken from the procedure library QVNorvane beside the host. Prints the\n"
           "equation names, each of the host's calls (Precall, Residuals, Jacobian) with its\n"
           "status and the routine's failure flag, the interpolated value, the residual (the\n"
           "output variable, 0, minus the interpolated value) and, where the Jacobian\n"
           "succeeded, its row beside the residual's central, forward and backward differences\n"
           "(at a kink of the table within the step the entry is one of the one-sided ones);\n"
           "--dump writes them as JSON.\n"
           "\n"
           "  --procedure        run the procedure road\n"
           "  --x X              the point (default 2.5); nan and inf reach the routine, as\n"
           "                     they do in a table entry\n"
           "  --table LIST       the table, entries X:Y separated by commas (default\n"
           "                     0:0,1:2,2:3,4:4.5); X: or :Y adds to one list only\n"
           "  --mode M           outside the table: 0 failure, 1 linear extrapolation from the\n"
           "                     end segment, 2 the end value held (default 1)\n"
           "\n"
           "Exit status of the procedure road: 0 every call succeeded, 1 the library could not\n"
           "be loaded or a call failed (the first failed call is named), 2 bad command line,\n"
           "3 a free refused by the host's allocator.\n";
}
