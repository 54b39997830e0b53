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

// The residual's derivative with respect to `variable` by central differences.
double CentralDifference(QV_ProcedureType* p, QV_REALVARIABLE& variable) {
    const double x = variable.Real();
    const double h = 1e-6 * std::max(1.0, std::fabs(x));
    double residual[2] = {0, 0};
    for (int side = 0; side < 2; ++side) {
        variable.SetCurrentValue(side == 0 ? x + h : x - h);
        int index = 0;
        if (p->Residuals(residual + side, index) < 0) residual[side] = std::nan("");
    }
    variable.SetCurrentValue(x);
    return (residual[0] - residual[1]) / (2 * h);
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
    p->Precall(true);
    r.residuals.assign(static_cast<std::size_t>(equations), 0.0);
    r.jacobian.assign(static_cast<std::size_t>(nonZeros), 0.0);
    int index = 0;
    r.status = p->Residuals(r.residuals.data(), index);
    r.failureFlag = p->LastFailureFlag();
    r.evaluated = r.status >= 0;
    if (!r.evaluated) r.residuals.clear();
    if (r.evaluated) r.interpolated = p->Values()[p->OutputOffset()];
    index = 0;
    p->Jacobian(r.jacobian.data(), index);

    std::size_t k = 0;
    for (const auto& [variable, name] : v.row)
        if (variable->IsSolverVariable() && k < r.jacobian.size())
            r.row.push_back({name, r.jacobian[k++], CentralDifference(p, *variable)});
}

} // namespace

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
