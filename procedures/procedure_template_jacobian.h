// The Jacobian rows of a procedure's equations: per output value 1.0 for the output variable,
// then one entry per free input element (the negated derivative of the routine's value), from
// the derivatives that the routine returned or, for a routine that returns none, by finite
// differences. Every row has exactly 1 + m_nFreeInputs entries, the number that the owner's
// structure counted: free elements beyond that count are left out, missing ones give 0.0.
#pragma once

#include <algorithm>
#include <cmath>

#include "framework/library_new.h"
#include "procedures/procedure_template.h"

// Visits the input values in order: a constant argument as null, each element of a variable
// argument as its variable. Needs a complete argument list (BindingStatus).
QV_PROCEDURE_TEMPLATE template <class Visit> void QV_PROCEDURE::WalkInputValues(Visit visit) const {
    QV_VarParam* const* element = this->m_ppVars;
    ForEachArgument(0, InputArgs(), [&](int i, int, long long elements) {
        if (!m_abByRef[i]) {
            visit(nullptr);
            return;
        }
        for (long long k = 0; k < elements; ++k)
            visit(*element++);
    });
}

QV_PROCEDURE_TEMPLATE int QV_PROCEDURE::Jacobian(double* values, int& index) {
    const int status = CallFn(QV_ProcedureType::JacobianCall, true);
    if (status >= 0 && !Proc::ReturnsDerivatives() && m_bOutputsFresh)
        return WriteDifferenceRows(values, index, status);
    WriteStoredRows(values, index);
    return status;
}

// The rows from the derivative storage, which holds the derivatives already negated; zeros
// where there is no storage.
QV_PROCEDURE_TEMPLATE void QV_PROCEDURE::WriteStoredRows(double* values, int& index) const {
    const int free = this->m_nFreeInputs;
    const int rows = Rows(); // none while the argument list is incomplete
    const double* stored = this->m_pDerivMatrix;
    int d = 0;
    for (int r = 0; r < rows; ++r, index += free + 1) {
        double* row = values + index;
        row[0] = 1.0;
        std::fill(row + 1, row + 1 + free, 0.0);
        int column = 0;
        WalkInputValues([&](const QV_VarParam* element) {
            if (element && element->IsSolverVariable() && column < free)
                row[1 + column++] = stored ? stored[d] : 0.0;
            ++d;
        });
    }
}

// The step for a variable at x: 1e-6, relative beyond 1; turned back when x + h leaves the
// bounds, and when x - h does too, the move to the bound with more room (upper on a tie).
QV_PROCEDURE_TEMPLATE double QV_PROCEDURE::DifferenceStep(const QV_VarParam& variable,
                                                          double& perturbed) {
    const double x = variable.Real();
    double step = std::fabs(x) > 1.0 ? std::fabs(x) * 1e-6 : 1e-6;
    const double upper = variable.QV_UPPERValue();
    const double lower = variable.QV_LOWERValue();
    perturbed = x + step;
    if (perturbed < lower || perturbed > upper) {
        step = -step;
        perturbed = x + step;
    }
    if (perturbed < lower || perturbed > upper) {
        perturbed = upper - x >= x - lower ? upper : lower;
        step = perturbed - x;
    }
    return step;
}

// The entry of a column: the negated difference quotient, held to +-1.79769313486231e308 (with
// the quotient's sign) when the step is too small for the difference; 0.0 for a zero step.
QV_PROCEDURE_TEMPLATE double QV_PROCEDURE::DifferenceQuotient(double difference, double step) {
    const double clamp = 1.79769313486231e308;
    if (step == 0.0) return 0.0;
    if (std::fabs(step) > 1.0 || std::fabs(difference) <= std::fabs(step) * clamp)
        return -difference / step;
    return (step < 0.0) == (difference < 0.0) ? -clamp : clamp;
}

// Finite differences: each free input element included by the update controller is moved by
// its step and the routine called again; its column is the negated difference quotient of
// the outputs, 0.0 when the element is excluded or the call failed. The variables, the packed
// inputs and the outputs are restored; the columns are kept in the derivative storage for the
// calls that follow until the routine runs again, when every perturbed call succeeded. The
// first failed call's status is returned, and the next Jacobian takes the differences again.
QV_PROCEDURE_TEMPLATE int QV_PROCEDURE::WriteDifferenceRows(double* values, int& index,
                                                            int status) {
    const int rows = Rows();
    const int width = this->m_nFreeInputs + 1;
    if (!m_pSavedOutputs && rows > 0) m_pSavedOutputs = norvane::LibraryNewArray<double>(rows);
    if (!m_pSavedOutputs && rows > 0) {
        WriteStoredRows(values, index);
        return QV_ProcedureType::StatusNoStorage;
    }
    double* outputs = this->m_pValues + GetOffset(InputArgs());
    std::copy(outputs, outputs + rows, m_pSavedOutputs);
    double* block = values + index;
    std::fill(block, block + static_cast<long long>(rows) * width, 0.0);
    for (int r = 0; r < rows; ++r)
        block[r * width] = 1.0;

    QV_Value scratch(0.0, 0x3E000000u);
    QV_IncrementalUpdate* controller = this->UpdateController();
    int column = 0;
    WalkInputValues([&](QV_VarParam* variable) {
        if (!variable || !variable->IsSolverVariable() || column + 1 >= width) return;
        const int c = ++column;
        if (controller && !controller->IncludesVariable(variable)) return;
        const double x = variable->Real();
        double perturbed;
        const double step = DifferenceStep(*variable, perturbed);
        TakeValue(*variable, perturbed, scratch);
        const int perturbedStatus = CallFn(QV_ProcedureType::ResidualCall, true);
        variable->SetCurrentValue(x);
        if (perturbedStatus < 0) {
            if (status >= 0) status = perturbedStatus;
            return;
        }
        for (int r = 0; r < rows; ++r)
            block[r * width + c] = DifferenceQuotient(outputs[r] - m_pSavedOutputs[r], step);
    });

    if (double* stored = this->m_pDerivMatrix) {
        int d = 0;
        for (int r = 0; r < rows; ++r) {
            int j = 0;
            WalkInputValues([&](const QV_VarParam* element) {
                if (element && element->IsSolverVariable() && j + 1 < width)
                    stored[d] = block[r * width + 1 + j++];
                ++d;
            });
        }
    }
    PackInputVars();
    std::copy(m_pSavedOutputs, m_pSavedOutputs + rows, outputs);
    m_bOutputsFresh = status < 0; // the columns are incomplete: never served as a success
    index += rows * width;
    return status;
}
