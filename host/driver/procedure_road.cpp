#include "host/driver/procedure_road.h"

#include <algorithm>
#include <cmath>
#include <deque>

#include "host/driver/procedure_binding.h"

namespace {

// The variables of the call, and the free ones in the order of a Jacobian row.
struct CallVariables {
    QV_REALVARIABLE point, output;
    std::deque<QV_REALVARIABLE> xs, ys;
    std::vector<std::pair<QV_REALVARIABLE*, std::string>> row;

    explicit CallVariables(const ProcedureOptions& o) {
        point.SetCurrentValue(o.x);
        output.SetCurrentValue(0.0);
        row = {{&output, "y"}, {&point, "x"}};
        for (double v : o.xs) {
            xs.emplace_back(true).SetCurrentValue(v);
            row.emplace_back(&xs.back(), "X(" + std::to_string(xs.size()) + ")");
        }
        for (double v : o.ys) {
            ys.emplace_back(true).SetCurrentValue(v);
            row.emplace_back(&ys.back(), "Y(" + std::to_string(ys.size()) + ")");
        }
    }
};

void List(const InterpolationBinding& b, QV_ProcedureType* p, CallVariables& v, int mode) {
    b.Argument(p, v.point);
    for (auto* vector : {&v.xs, &v.ys}) {
        b.Argument(p);
        for (QV_REALVARIABLE& element : *vector)
            b.Element(p, element);
        b.SetDimensionSize(p, static_cast<int>(vector->size()));
    }
    b.Argument(p, mode);
    b.Argument(p, v.output);
}

// The residual at the variable's value `at`; NaN when the call fails.
double ResidualAt(QV_ProcedureType* p, QV_REALVARIABLE& variable, double at) {
    variable.SetCurrentValue(at);
    double residual = 0;
    int index = 0;
    return p->Residuals(&residual, index) < 0 ? std::nan("") : residual;
}

// The Jacobian entry `value` of `variable` beside the residual's differences.
JacobianEntry Entry(QV_ProcedureType* p, QV_REALVARIABLE& variable, const std::string& name,
                    double value) {
    const double x = variable.Real();
    const double h = 1e-6 * std::max(1.0, std::fabs(x));
    const double above = ResidualAt(p, variable, x + h);
    const double below = ResidualAt(p, variable, x - h);
    const double here = ResidualAt(p, variable, x);
    return {name, value, (above - below) / (2 * h), (above - here) / h, (here - below) / h};
}

// Makes one of the host's calls and records what it gave.
template <class Call>
int Record(QV_ProcedureType* p, ProcedureRoadResult& r, const char* name, Call call) {
    const int judged = p->JudgedCalls();
    const int status = call();
    r.calls.push_back({name, status, p->JudgedCalls() != judged, p->LastFailureFlag()});
    return status;
}

void Evaluate(const InterpolationBinding& b, QV_ProcedureType* p, CallVariables& v,
              const ProcedureOptions& o, ProcedureRoadResult& r) {
    List(b, p, v, o.mode);
    b.LastArgument(p);
    List(b, p, v, o.mode);

    QV_ModelTypeEx owner;
    const int group = QV_ModelType::m_stLastGroup + 1;
    int equations = 0;
    const int nonZeros = b.NZAndEqnContribution(p, &owner, group, equations);
    std::vector<int> rows(static_cast<std::size_t>(nonZeros)), cols(rows.size());
    owner.SetPatternBuffer(rows.data(), rows.data() + rows.size());
    int* rowCursor = rows.data();
    int* colCursor = cols.data();
    int counter = 0;
    b.CreateEquationsAndSetGroup(p, group, rowCursor, colCursor, counter, &owner);
    for (int e = 0; e < owner.EquationCount(); ++e)
        r.equations.emplace_back(owner.EquationName(e));

    p->InitializeCStrings();
    Record(p, r, "Precall", [&] { return p->Precall(true); });
    r.residuals.assign(static_cast<std::size_t>(equations), 0.0);
    int index = 0;
    r.evaluated =
        Record(p, r, "Residuals", [&] { return p->Residuals(r.residuals.data(), index); }) >= 0;
    if (r.evaluated)
        r.interpolated = p->Values()[p->OutputOffset()];
    else
        r.residuals.clear();
    r.jacobian.assign(static_cast<std::size_t>(nonZeros), 0.0);
    index = 0;
    r.differentiated =
        Record(p, r, "Jacobian", [&] { return p->Jacobian(r.jacobian.data(), index); }) >= 0;
    if (!r.differentiated) {
        r.jacobian.clear();
        return;
    }
    std::size_t k = 0;
    for (const auto& [variable, name] : v.row)
        if (variable->IsSolverVariable() && k < r.jacobian.size())
            r.row.push_back(Entry(p, *variable, name, r.jacobian[k++]));
}

} // namespace

const CallOutcome* ProcedureRoadResult::FirstFailure() const {
    for (const CallOutcome& call : calls)
        if (call.status < 0) return &call;
    return nullptr;
}

bool RunProcedureRoad(const ModelLibrary& library, const ProcedureOptions& options,
                      ProcedureRoadResult& result, std::string& problem) {
    InterpolationBinding binding;
    if (!binding.Resolve(library, problem)) return false;
    QV_ProcedureType* procedure = binding.Create(false, 0);
    if (!procedure) {
        problem = "the host could not allocate the procedure";
        return false;
    }
    CallVariables variables(options);
    Evaluate(binding, procedure, variables, options, result);
    procedure->Release();
    return true;
}
