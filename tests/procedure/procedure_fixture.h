// The interpolation procedure on a host model, driven as a model's generated code and the host
// drive it: the argument list in both passes, the owner's two equation passes, then the host's
// calls.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "host/qvcore.h"
#include "procedures/interpolate.h"
#include "tests/procedure/procedure_host.h"

namespace norvane::test {

using Table = std::vector<std::pair<double, double>>;

// A table of three segments of slopes 2, 1 and 0.75.
const Table Steps = {{0.0, 0.0}, {1.0, 2.0}, {2.0, 3.0}, {4.0, 4.5}};

// The variables of one call of the routine: the point, the table, the mode and the output.
// The point and every table entry are free solver variables unless fixed.
struct InterpolationCall {
    InterpolationCall(double x, const Table& table, int mode) : mode(mode) {
        point.SetCurrentValue(x);
        for (const auto& [a, b] : table) {
            xs.emplace_back(true).SetCurrentValue(a);
            ys.emplace_back(true).SetCurrentValue(b);
        }
    }

    // One pass of the argument list; the mode as a constant or, when given, as a variable.
    template <class Procedure> void List(Procedure& p) {
        p.Argument(point);
        for (auto* entries : {&xs, &ys}) {
            p.Argument();
            for (QV_REALVARIABLE& v : *entries)
                p.Element(v);
            p.SetDimensionSize(static_cast<int>(entries->size()));
        }
        if (modeVariable)
            p.Argument(*modeVariable);
        else
            p.Argument(mode);
        p.Argument(output);
    }
    template <class Procedure> void ListBoth(Procedure& p) {
        List(p);
        p.LastArgument();
        List(p);
    }
    // Fixes every table entry at its value.
    void FixTable() {
        for (auto* entries : {&xs, &ys})
            for (QV_REALVARIABLE& v : *entries)
                v.UserSet(v.Real());
    }

    // The free variables in the order of a Jacobian row: the output, then the free inputs.
    std::vector<QV_REALVARIABLE*> RowVariables() {
        std::vector<QV_REALVARIABLE*> row{&output};
        auto add = [&](QV_REALVARIABLE& v) {
            if (v.IsSolverVariable()) row.push_back(&v);
        };
        add(point);
        for (auto* entries : {&xs, &ys})
            for (QV_REALVARIABLE& v : *entries)
                add(v);
        return row;
    }

    QV_REALVARIABLE point;
    std::deque<QV_REALVARIABLE> xs, ys;
    int mode;
    QV_VarParam* modeVariable = nullptr;
    QV_REALVARIABLE output;
};

// What the host gets from one procedure: its owner's passes and one evaluation.
struct Evaluation : OwnerPasses {
    int residualStatus = 0;
    int jacobianStatus = 0;
    std::vector<double> residuals; // NaN where nothing was written
    std::vector<double> jacobian;
};

// The owner's passes (on a model of its own unless `owner` is given) and the host's calls, in
// the order of a procedure's life. Residuals and Jacobian must move past exactly the rows that
// the owner counted.
template <class Procedure> Evaluation Evaluate(Procedure& p, QV_ModelTypeEx* owner = nullptr) {
    QV_ModelTypeEx own;
    Evaluation e;
    static_cast<OwnerPasses&>(e) = RunOwnerPasses(p, owner ? owner : &own, 3);
    p.InitializeCStrings();
    p.Precall(true);
    e.residuals.assign(static_cast<std::size_t>(e.equations), std::nan(""));
    e.jacobian.assign(static_cast<std::size_t>(e.nonZeros), std::nan(""));
    int index = 0;
    e.residualStatus = p.Residuals(e.residuals.data(), index);
    EXPECT_EQ(index, e.equations) << "the rows that the owner counted, written or not";
    index = 0;
    e.jacobianStatus = p.Jacobian(e.jacobian.data(), index);
    EXPECT_EQ(index, e.nonZeros);
    return e;
}

// The name of a parameterized case: its field `name`.
constexpr auto CaseName = [](const auto& info) { return std::string(info.param.name); };

// The residual of a procedure with one output, NaN when the call fails.
template <class Procedure> double Residual(Procedure& p) {
    double residual = 0;
    int index = 0;
    return p.Residuals(&residual, index) >= 0 ? residual : std::nan("");
}

// The derivatives of the first residual with respect to `variables`, by central differences.
template <class Procedure>
std::vector<double> ResidualDifferences(Procedure& p,
                                        const std::vector<QV_REALVARIABLE*>& variables) {
    std::vector<double> row;
    for (QV_REALVARIABLE* v : variables) {
        const double x = v->Real();
        const double h = 1e-6 * std::max(1.0, std::fabs(x));
        v->SetCurrentValue(x + h);
        const double above = Residual(p);
        v->SetCurrentValue(x - h);
        row.push_back((above - Residual(p)) / (2 * h));
        v->SetCurrentValue(x);
    }
    return row;
}

} // namespace norvane::test
