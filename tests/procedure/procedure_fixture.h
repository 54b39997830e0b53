// The interpolation procedure on a host model, driven as a model's generated code and the host
// drive it: the argument list in both passes, the owner's two equation passes, then the host's
// calls. Also a routine that stands in front of the real INTERP to count and record its calls.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <utility>
#include <vector>

#include "host/qvcore.h"
#include "procedures/interpolate.h"

namespace norvane::test {

using Table = std::vector<std::pair<double, double>>;

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
        p.Argument();
        for (QV_REALVARIABLE& v : xs)
            p.Element(v);
        p.SetDimensionSize(static_cast<int>(xs.size()));
        p.Argument();
        for (QV_REALVARIABLE& v : ys)
            p.Element(v);
        p.SetDimensionSize(static_cast<int>(ys.size()));
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

    // The free variables in the order of a Jacobian row: the output, then the free inputs.
    std::vector<QV_REALVARIABLE*> RowVariables() {
        std::vector<QV_REALVARIABLE*> row{&output};
        auto add = [&](QV_REALVARIABLE& v) {
            if (v.IsSolverVariable()) row.push_back(&v);
        };
        add(point);
        for (QV_REALVARIABLE& v : xs)
            add(v);
        for (QV_REALVARIABLE& v : ys)
            add(v);
        return row;
    }

    QV_REALVARIABLE point;
    std::deque<QV_REALVARIABLE> xs, ys;
    int mode;
    QV_VarParam* modeVariable = nullptr;
    QV_REALVARIABLE output;
};

// What the host gets from one procedure: its equation pass and one evaluation.
struct Evaluation {
    int equations = 0;
    int nonZeros = 0;
    int residualStatus = 0;
    int jacobianStatus = 0;
    std::vector<double> residuals;
    std::vector<double> jacobian;
};

// The owner's passes and the host's calls, in the order of a procedure's life.
template <class Procedure> Evaluation Evaluate(Procedure& p, QV_ModelTypeEx& owner, int group = 3) {
    Evaluation e;
    e.nonZeros = p.NZAndEqnContribution(&owner, group, e.equations);
    std::vector<int> rows(static_cast<std::size_t>(e.nonZeros) + 1),
        cols(static_cast<std::size_t>(e.nonZeros) + 1);
    owner.SetPatternBuffer(rows.data(), rows.data() + e.nonZeros);
    int* r = rows.data();
    int* c = cols.data();
    int counter = 0;
    p.CreateEquationsAndSetGroup(group, 0, r, c, counter, &owner, "", 0);
    p.InitializeCStrings();
    p.Precall(true);
    e.residuals.assign(static_cast<std::size_t>(e.equations), std::nan(""));
    e.jacobian.assign(static_cast<std::size_t>(e.nonZeros), std::nan(""));
    int index = 0;
    e.residualStatus = p.Residuals(e.residuals.data(), index);
    index = 0;
    e.jacobianStatus = p.Jacobian(e.jacobian.data(), index);
    return e;
}

// The derivatives of the first residual with respect to `variables`, by central differences.
template <class Procedure>
std::vector<double> ResidualDifferences(Procedure& p,
                                        const std::vector<QV_REALVARIABLE*>& variables) {
    std::vector<double> row;
    for (QV_REALVARIABLE* v : variables) {
        const double x = v->Real();
        const double h = 1e-6 * std::max(1.0, std::fabs(x));
        double r[2];
        for (int side = 0; side < 2; ++side) {
            v->SetCurrentValue(side == 0 ? x + h : x - h);
            int index = 0;
            EXPECT_GE(p.Residuals(r + side, index), 0);
        }
        v->SetCurrentValue(x);
        row.push_back((r[0] - r[1]) / (2 * h));
    }
    return row;
}

// Stands in front of the real INTERP while it lives: counts the calls and keeps the
// arguments of the last one.
class RoutineRecorder {
public:
    RoutineRecorder();
    ~RoutineRecorder();
    RoutineRecorder(const RoutineRecorder&) = delete;
    RoutineRecorder& operator=(const RoutineRecorder&) = delete;

    int calls = 0;
    int callType = -1;
    std::vector<int> inputDims, inputOffsets, outputOffsets, rows, cols;
    int derivativeCount = 0;
    int failure = 0;
};

} // namespace norvane::test
