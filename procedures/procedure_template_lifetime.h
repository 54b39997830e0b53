// Construction, copying and release of a procedure.
#pragma once

#include <algorithm>
#include <cstring>

#include "framework/library_new.h"
#include "procedures/procedure_template.h"

QV_PROCEDURE_TEMPLATE QV_PROCEDURE::QV_ProcedureTemplate() : Base() {
    this->m_bHostFlag = false;
}

// A copy has the source's layout, constants and counting state, and buffers of its own: the
// derivative pattern, the saved outputs and the derivative storage that the procedure made
// start empty and are made again on first use. The host copies the packed value buffer to a
// new address, so the character-pointer tables are pointed at the copy's own strings.
QV_PROCEDURE_TEMPLATE QV_PROCEDURE::QV_ProcedureTemplate(const QV_ProcedureTemplate& other)
    : Base(other) {
    CopyFields(other);
    InitializeCStrings();
}

// The procedure's own derivative storage goes before the host's assignment, which releases
// whatever the host's field holds.
QV_PROCEDURE_TEMPLATE QV_PROCEDURE& QV_PROCEDURE::operator=(const QV_ProcedureTemplate& other) {
    if (this == &other) return *this;
    ReleaseOwnBuffers();
    Base::operator=(other);
    CopyFields(other);
    InitializeCStrings();
    return *this;
}

QV_PROCEDURE_TEMPLATE QV_PROCEDURE::~QV_ProcedureTemplate() {
    ReleaseOwnBuffers();
}

QV_PROCEDURE_TEMPLATE void QV_PROCEDURE::ReleaseOwnBuffers() {
    if (m_pOwnDerivMatrix && this->m_pDerivMatrix == m_pOwnDerivMatrix)
        this->m_pDerivMatrix = nullptr;
    norvane::FreeBlock(m_pSavedOutputs);
    norvane::FreeBlock(m_pDerivRows);
    norvane::FreeBlock(m_pDerivCols);
    norvane::FreeBlock(m_pOwnDerivMatrix);
    m_pSavedOutputs = nullptr;
    m_pDerivRows = nullptr;
    m_pDerivCols = nullptr;
    m_pOwnDerivMatrix = nullptr;
}

QV_PROCEDURE_TEMPLATE void QV_PROCEDURE::CopyFields(const QV_ProcedureTemplate& o) {
    m_nArgElements = o.m_nArgElements;
    m_nDimsLeft = o.m_nDimsLeft;
    m_nDimCursor = o.m_nDimCursor;
    m_nFirstOutputDim = o.m_nFirstOutputDim;
    std::copy(o.m_aDimSizes, o.m_aDimSizes + DimensionSizes + 1, m_aDimSizes);
    m_nCurrentArg = o.m_nCurrentArg;
    m_nBufferWords = o.m_nBufferWords;
    std::copy(o.m_aOffsets, o.m_aOffsets + TotalArgs(), m_aOffsets);
    m_bCountingPass = o.m_bCountingPass;
    std::copy(o.m_abByRef, o.m_abByRef + TotalArgs(), m_abByRef);
    // A constant slot has no copying operation of its own: it is copied byte for byte.
    std::memcpy(static_cast<void*>(m_aConstArgs), o.m_aConstArgs, sizeof m_aConstArgs);
    m_bOutputsFresh = o.m_bOutputsFresh;
    std::copy(o.m_aListedElements, o.m_aListedElements + TotalArgs(), m_aListedElements);
    m_bLayoutSound = o.m_bLayoutSound;
    m_nElementRoom = o.m_nElementRoom;
    m_nCountedInputs = o.m_nCountedInputs;
}
