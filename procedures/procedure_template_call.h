// The call of the routine, and the residuals that it gives.
#pragma once

#include <algorithm>
#include <climits>

#include "framework/library_new.h"
#include "procedures/procedure_template.h"

QV_PROCEDURE_TEMPLATE int QV_PROCEDURE::StorageStatus() const {
    if (!this->m_pValues || !this->m_ppVars) return QV_ProcedureType::StatusNoStorage;
    if (this->m_nInputVars + static_cast<long long>(this->m_nOutputVars) != m_nElementRoom ||
        this->m_nInputs != m_nCountedInputs || this->m_nOutputVars != this->m_nOutputs)
        return QV_ProcedureType::StatusUnbound;
    for (long long k = 0; k < m_nElementRoom; ++k)
        if (!this->m_ppVars[k]) return QV_ProcedureType::StatusUnbound;
    return QV_ProcedureType::StatusDone;
}

// StatusDone when the argument list is complete and agrees with the layout and the host's
// storage: every output and every array given by reference, and under each argument given by
// reference exactly the elements that its dimension sizes call for (one for a scalar), none
// under a constant. Every reader of the element list relies on it.
QV_PROCEDURE_TEMPLATE int QV_PROCEDURE::BindingStatus() const {
    if (m_bCountingPass || !m_bLayoutSound) return QV_ProcedureType::StatusUnbound;
    const int storage = StorageStatus();
    if (storage < 0) return storage;
    bool agrees = true;
    ForEachArgument(0, TotalArgs(), [&](int i, int dimensions, long long elements) {
        const long long listed = m_aListedElements[i];
        if (m_abByRef[i])
            agrees = agrees && listed == elements;
        else
            agrees = agrees && i < InputArgs() && dimensions == 0 && listed == 0;
    });
    return agrees ? QV_ProcedureType::StatusDone : QV_ProcedureType::StatusUnbound;
}

// The 1-based output and input element numbers of the derivative entries, dense and row-major,
// made on first use. Never more than m_nDerivCount entries; entries beyond the pattern (when
// the host counts more than outputs x inputs) number no element. False when they cannot be
// allocated.
QV_PROCEDURE_TEMPLATE bool QV_PROCEDURE::BuildDerivativePattern() {
    const int count = this->m_nDerivCount;
    if (m_pDerivRows || count <= 0) return true;
    m_pDerivRows = norvane::LibraryNewArray<int>(count);
    m_pDerivCols = norvane::LibraryNewArray<int>(count);
    if (!m_pDerivRows || !m_pDerivCols) {
        ReleaseOwnBuffers();
        return false;
    }
    int k = 0;
    for (int r = 1; r <= this->m_nOutputVars && k < count; ++r)
        for (int c = 1; c <= this->m_nInputs && k < count; ++c, ++k) {
            m_pDerivRows[k] = r;
            m_pDerivCols[k] = c;
        }
    std::fill(m_pDerivRows + k, m_pDerivRows + count, 0);
    std::fill(m_pDerivCols + k, m_pDerivCols + count, 0);
    return true;
}

// The derivative storage, where the host gave none: the procedure's own, one entry per output
// element and input value, made before any call that can bring derivatives. A new one holds
// none yet, so the routine is called to fill it even when a call stands. False when it
// cannot be allocated.
QV_PROCEDURE_TEMPLATE bool QV_PROCEDURE::ProvideDerivativeStorage() {
    const long long entries = static_cast<long long>(this->m_nOutputVars) * this->m_nInputs;
    if (this->m_pDerivMatrix || entries <= 0) return true;
    m_pOwnDerivMatrix = norvane::LibraryNewArray<double>(entries);
    if (!m_pOwnDerivMatrix) return false;
    std::fill(m_pOwnDerivMatrix, m_pOwnDerivMatrix + entries, 0.0);
    this->m_pDerivMatrix = m_pOwnDerivMatrix;
    this->m_bCallNeeded = true;
    return true;
}

QV_PROCEDURE_TEMPLATE int QV_PROCEDURE::CallFn(QV_ProcedureType::CallType type, bool flag) {
    using Call = QV_ProcedureType;
    QV_ProcedureType::CallType effective = type;
    switch (type) {
    case Call::PreCall:
        if (this->LastCall(Call::PreCall)) return 0;
        if (this->m_pDerivatives)
            std::fill(this->m_pDerivatives, this->m_pDerivatives + this->m_nDerivCount, 0.0);
        this->m_bCallNeeded = true;
        break;
    case Call::OtherCall:
        if (this->LastCall(Call::OtherCall) || this->LastCall(Call::NoCall)) return 0;
        this->m_bCallNeeded = true;
        break;
    case Call::ResidualCall:
    case Call::JacobianCall:
        effective = Proc::ReturnsDerivatives() ? Call::DerivativeCall : Call::ResidualCall;
        [[fallthrough]];
    case Call::DerivativeCall:
        this->m_bCallNeeded =
            !(this->LastCall(effective) && !Base::AlwaysCall() && InputArgs() != 0);
        break;
    default:
        break;
    }
    const int bound = BindingStatus();
    if (bound < 0) return bound;
    // What can refuse the call comes before the packing: a refusal leaves the buffer as the
    // standing call left it (its inputs and outputs), so that the next evaluation still finds
    // the changed inputs and calls the routine, never takes the old outputs for the new inputs.
    int status = this->EnsureCompatibleDLLLoaded(Level);
    if (status < 0) return status;
    if (!BuildDerivativePattern() || !ProvideDerivativeStorage())
        return QV_ProcedureType::StatusNoStorage;
    PackInputVars();
    if (!this->m_bCallNeeded) return 0;

    m_bOutputsFresh = true;
    if (P()->PresetOutputs()) PackOutputVars();
    int failure = 1;
    int callType = effective;
    int hostIntegerCopy = this->m_nRoutineArg10;
    int derivativeCount = this->m_nDerivCount; // the routine cannot change the host's count
    int scratch = 0;

    if (QV_COMPONENTLISTNAME* list = this->ComponentListName()) list->BeginPropertiesCall();
    // A routine that cannot be found is not called: the failure flag stays 1.
    if (const QV_ProcedureRoutine routine = this->GetProcedure13Address(this->m_pFunction))
        routine(&callType, this->m_pValues, m_aDimSizes, this->m_pValues,
                m_aDimSizes + m_nFirstOutputDim, GetOffsets(0), GetOffsets(InputArgs()),
                &this->m_nRoutineArg8, this->m_pRoutineArg9, &hostIntegerCopy, &derivativeCount,
                m_pDerivRows, m_pDerivCols, &scratch, this->m_pDerivatives, &failure);
    if (QV_COMPONENTLISTNAME* list = this->ComponentListName()) list->EndPropertiesCall();

    status = this->CheckIFailAndOutputs(failure, effective, flag);
    if (status < 0) return status;
    if (this->LastCall(Call::ResidualCall) || this->LastCall(Call::DerivativeCall)) {
        if (Base::PostsetInputs()) UnpackInputVars();
        if (this->LastCall(Call::DerivativeCall)) P()->NegateDerivatives();
    }
    return status;
}

// One residual per row: the output variable's value minus the routine's. A failed call writes
// none but still moves the index past them.
QV_PROCEDURE_TEMPLATE int QV_PROCEDURE::Residuals(double* residuals, int& index) {
    const int status = CallFn(QV_ProcedureType::ResidualCall, true);
    const int rows = Rows();
    if (status < 0) {
        index += rows;
        return status;
    }
    const double* outputs = this->m_pValues + GetOffset(InputArgs());
    for (int k = 0; k < rows; ++k)
        residuals[index++] = this->m_ppVars[this->m_nInputVars + k]->Real() - outputs[k];
    return status;
}
