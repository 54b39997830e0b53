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

// "Precall: status 0 (done), failure flag 0 (done)"; "no call of the routine" when the host
// judged none during the call.
std::string CallText(const CallOutcome& c) {
    std::string text = c.name + ": status " + std::to_string(c.status) + " (" +
                       QV_ProcedureType::StatusText(c.status) + "), ";
    if (!c.judged) return text + "no call of the routine";
    return text + "failure flag " + std::to_string(c.failureFlag) + " (" +
           qvnorvane::FailureText(c.failureFlag) + ")";
}

// {"call": "Precall", "status": 0, "failure_flag": 0}, the flag null when no call was judged.
std::string JsonCalls(const std::vector<CallOutcome>& calls) {
    std::string text = "[";
    for (std::size_t k = 0; k < calls.size(); ++k) {
        const CallOutcome& c = calls[k];
        text += std::string(k ? ", " : "") + "{\"call\": \"" + c.name +
                "\", \"status\": " + std::to_string(c.status) +
                ", \"failure_flag\": " + (c.judged ? std::to_string(c.failureFlag) : "null") + "}";
    }
    return text + "]";
}

// What the residual call gave: the interpolated value and the residuals, or none.
void PrintValue(std::FILE* out, const ProcedureRoadResult& r) {
    if (!r.evaluated) {
        std::fputs("interpolated value: none\nresidual: none\n", out);
        return;
    }
    std::fprintf(out, "interpolated value: %.17g\n", r.interpolated);
    for (double residual : r.residuals)
        std::fprintf(out, "residual: %.17g\n", residual);
}

} // namespace

std::string ProcedureFailureText(const ProcedureRoadResult& r) {
    const CallOutcome* failed = r.FirstFailure();
    return failed ? CallText(*failed) : "";
}

void PrintProcedureRoad(std::FILE* out, const ProcedureOptions& o, const ProcedureRoadResult& r) {
    std::fprintf(out, "procedure INTERP of QVNorvane: x %.17g, table %s, mode %d (%s)\n", o.x,
                 TableText(o).c_str(), o.mode, ModeText(o.mode));
    std::fputs("equations:", out);
    for (const std::string& name : r.equations)
        std::fprintf(out, " %s", name.c_str());
    std::fputs(r.equations.empty() ? " none\n" : "\n", out);
    for (const CallOutcome& call : r.calls) {
        std::fprintf(out, "%s\n", CallText(call).c_str());
        if (call.name == "Residuals") PrintValue(out, r);
    }
    if (!r.differentiated) {
        std::fputs("Jacobian row: none\n", out);
        return;
    }
    std::fprintf(out, "Jacobian row: %-8s %24s %17s %17s %17s\n", "variable", "entry",
                 "central diff.", "forward diff.", "backward diff.");
    for (const JacobianEntry& e : r.row)
        std::fprintf(out, "              %-8s %24.17g %17.10g %17.10g %17.10g\n",
                     e.variable.c_str(), e.value, e.central, e.forward, e.backward);
}

bool WriteProcedureDump(const std::string& path, const ProcedureOptions& o,
                        const ProcedureRoadResult& r, std::string& error) {
    // Lines end in LF on every platform, so that a dump is the same file wherever it was made.
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot write " + path;
        return false;
    }
    std::string equations = "[";
    for (std::size_t k = 0; k < r.equations.size(); ++k)
        equations += std::string(k ? ", " : "") + "\"" + r.equations[k] + "\"";
    equations += "]";
    std::fprintf(file,
                 "{\n  \"equations\": %s,\n  \"calls\": %s,\n  \"interpolated\": %s,\n"
                 "  \"residuals\": %s,\n  \"jacobian\": %s,\n  \"x\": %s,\n  \"table\": %s,\n"
                 "  \"mode\": %d\n}\n",
                 equations.c_str(), JsonCalls(r.calls).c_str(),
                 r.evaluated ? Json(r.interpolated).c_str() : "null", JsonList(r.residuals).c_str(),
                 r.differentiated ? JsonList(r.jacobian).c_str() : "null", Json(o.x).c_str(),
                 JsonTable(o).c_str(), o.mode);
    const bool written = std::ferror(file) == 0;
    if (std::fclose(file) != 0 || !written) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
