#include "host/driver/procedure_output.h"

#include <cmath>

#include "host/qv_procedure.h"
#include "host/qvnorvane/interpolation.h"

namespace {

const char* ModeText(int mode) {
    switch (mode) {
    case 0:
        return "failure outside the table";
    case 1:
        return "linear extrapolation outside the table";
    case 2:
        return "the end value held outside the table";
    default:
        return "not a mode of the routine";
    }
}

std::string Json(double value) {
    if (!std::isfinite(value)) return "null";
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string JsonList(const std::vector<double>& values) {
    std::string text = "[";
    for (std::size_t k = 0; k < values.size(); ++k)
        text += (k ? ", " : "") + Json(values[k]);
    return text + "]";
}

// One entry of a table list: [X, Y], null for a side the list does not reach.
std::string JsonTable(const ProcedureOptions& o) {
    std::string text = "[";
    const double none = std::nan("");
    for (std::size_t k = 0; k < std::max(o.xs.size(), o.ys.size()); ++k)
        text += std::string(k ? ", " : "") + "[" + Json(k < o.xs.size() ? o.xs[k] : none) + ", " +
                Json(k < o.ys.size() ? o.ys[k] : none) + "]";
    return text + "]";
}

} // namespace

std::string ProcedureStatusText(const ProcedureRoadResult& r) {
    const std::string flag = "failure flag " + std::to_string(r.failureFlag) + " (" +
                             qvnorvane::FailureText(r.failureFlag) + ")";
    return "status " + std::to_string(r.status) + " (" + QV_ProcedureType::StatusText(r.status) +
           "), " + flag;
}

void PrintProcedureRoad(std::FILE* out, const ProcedureOptions& o, const ProcedureRoadResult& r) {
    std::fprintf(out, "procedure INTERP of QVNorvane: x %s, table %s, mode %d (%s)\n",
                 Json(o.x).c_str(), TableText(o).c_str(), o.mode, ModeText(o.mode));
    std::fputs("equations:", out);
    for (const std::string& name : r.equations)
        std::fprintf(out, " %s", name.c_str());
    std::fputs(r.equations.empty() ? " none\n" : "\n", out);
    if (r.evaluated) {
        std::fprintf(out, "interpolated value: %.17g\n", r.interpolated);
        for (double residual : r.residuals)
            std::fprintf(out, "residual: %.17g\n", residual);
    } else {
        std::fputs("interpolated value: none\nresidual: none\n", out);
    }
    std::fprintf(out, "Jacobian row: %-8s %24s %24s\n", "variable", "entry", "central difference");
    for (const JacobianEntry& e : r.row)
        std::fprintf(out, "              %-8s %24.17g %24.17g\n", e.variable.c_str(), e.value,
                     e.difference);
    std::fprintf(out, "routine: %s\n", ProcedureStatusText(r).c_str());
}

bool WriteProcedureDump(const std::string& path, const ProcedureOptions& o,
                        const ProcedureRoadResult& r, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        error = "cannot write " + path;
        return false;
    }
    std::string equations = "[";
    for (std::size_t k = 0; k < r.equations.size(); ++k)
        equations += std::string(k ? ", " : "") + "\"" + r.equations[k] + "\"";
    equations += "]";
    std::fprintf(file,
                 "{\n  \"equations\": %s,\n  \"interpolated\": %s,\n  \"status\": %d,\n"
                 "  \"residuals\": %s,\n  \"jacobian\": %s,\n  \"x\": %s,\n  \"table\": %s,\n"
                 "  \"mode\": %d\n}\n",
                 equations.c_str(), r.evaluated ? Json(r.interpolated).c_str() : "null", r.status,
                 JsonList(r.residuals).c_str(), JsonList(r.jacobian).c_str(), Json(o.x).c_str(),
                 JsonTable(o).c_str(), o.mode);
    const bool written = std::ferror(file) == 0;
    if (std::fclose(file) != 0 || !written) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
