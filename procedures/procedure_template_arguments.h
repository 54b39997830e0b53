// The argument list: the counting pass lays out the packed value buffer and counts, the
// filling pass collects the element variables.
#pragma once

#include <algorithm>
#include <climits>

#include "procedures/procedure_template.h"

QV_PROCEDURE_TEMPLATE void QV_PROCEDURE::Argument(QV_IntegerSetIter& iterator) {
    Argument(iterator.Integer());
}
QV_PROCEDURE_TEMPLATE void QV_PROCEDURE::Argument(QV_StringSetIter& iterator) {
    Argument(iterator.String());
}
QV_PROCEDURE_TEMPLATE void QV_PROCEDURE::Argument(QV_VarParam& variable) {
    SetArg(true);
    Element(variable);
}
QV_PROCEDURE_TEMPLATE void QV_PROCEDURE::Argument() {
    SetArg(true);
}

// A constant: one input value, kept in the argument's slot (an argument beyond the signature
// has none).
#define QV_CONSTANT_ARGUMENT(Type)                                                                 \
    QV_PROCEDURE_TEMPLATE void QV_PROCEDURE::Argument(Type value) {                                \
        SetArg(false);                                                                             \
        if (m_nCurrentArg >= TotalArgs()) return;                                                  \
        ++this->m_nInputs;                                                                         \
        m_aConstArgs[m_nCurrentArg] = value;                                                       \
    }
QV_CONSTANT_ARGUMENT(int)
QV_CONSTANT_ARGUMENT(double)
QV_CONSTANT_ARGUMENT(const char*)
#undef QV_CONSTANT_ARGUMENT

QV_PROCEDURE_TEMPLATE bool QV_PROCEDURE::ByReference(int i) const {
    return m_abByRef[i];
}

// Opens the next argument. One beyond the signature leaves m_nCurrentArg at TotalArgs(),
// where every listing call ignores what it is given.
QV_PROCEDURE_TEMPLATE void QV_PROCEDURE::SetArg(bool byReference) {
    if (m_nCurrentArg >= TotalArgs() - 1) {
        m_nCurrentArg = TotalArgs();
        return;
    }
    const int i = ++m_nCurrentArg;
    m_abByRef[i] = byReference;
    if (!m_bCountingPass) return;
    SetOffset(m_nBufferWords);
    m_nDimsLeft = Proc::Dimensions(i);
    if (m_nDimsLeft == 0)
        AddWords(this->TypeSize(Proc::Type(i)));
    else
        m_nArgElements = 1;
    if (i == InputArgs()) m_nFirstOutputDim = m_nDimCursor;
}

QV_PROCEDURE_TEMPLATE void QV_PROCEDURE::SetOffset(int words) {
    m_aOffsets[m_nCurrentArg] = words + this->LanguageBaseIndex();
}

// Reserves whole 8-byte words for `bytes`.
QV_PROCEDURE_TEMPLATE void QV_PROCEDURE::AddWords(long long bytes) {
    const long long words = m_nBufferWords + ((bytes + 7) >> 3);
    if (words > INT_MAX) m_bLayoutSound = false;
    m_nBufferWords = words > INT_MAX ? INT_MAX : static_cast<int>(words);
}

QV_PROCEDURE_TEMPLATE bool QV_PROCEDURE::StoreElement(long long index, QV_VarParam* element) {
    if (!this->m_ppVars || index < 0 || index >= m_nElementRoom) return false;
    this->m_ppVars[index] = element;
    return true;
}

QV_PROCEDURE_TEMPLATE long long QV_PROCEDURE::ElementCount(int dimensions, const int* sizes) {
    long long count = 1;
    for (int d = 0; d < dimensions; ++d)
        count *= sizes[d] > 0 ? sizes[d] : 0;
    return count;
}

// Counts the element in both passes; the filling pass stores it in the element list, where the
// host has room for it (what the counting pass counted).
QV_PROCEDURE_TEMPLATE void QV_PROCEDURE::Element(QV_VarParam& variable) {
    const int i = m_nCurrentArg;
    if (i < 0 || i >= TotalArgs()) return;
    ++m_aListedElements[i];
    if (i < InputArgs()) {
        if (m_bCountingPass && variable.IsSolverVariable()) ++this->m_nFreeInputs;
        if (!m_bCountingPass) StoreElement(this->m_nInputVars, &variable);
        ++this->m_nInputVars;
        ++this->m_nInputs;
    } else {
        if (!m_bCountingPass)
            StoreElement(static_cast<long long>(this->m_nInputVars) + this->m_nOutputVars,
                         &variable);
        ++this->m_nOutputVars;
    }
}

// Sizes only in the counting pass, and only as many as the current argument has dimensions;
// a negative size counts as 0.
QV_PROCEDURE_TEMPLATE void QV_PROCEDURE::SetDimensionSize(int size) {
    if (!m_bCountingPass || m_nCurrentArg < 0 || m_nCurrentArg >= TotalArgs() || m_nDimsLeft <= 0 ||
        m_nDimCursor >= DimensionSizes)
        return;
    size = size < 0 ? 0 : size;
    m_aDimSizes[m_nDimCursor++] = size;
    const long long elements = static_cast<long long>(m_nArgElements) * size;
    if (elements > INT_MAX) m_bLayoutSound = false;
    m_nArgElements = elements > INT_MAX ? 0 : static_cast<int>(elements);
    if (--m_nDimsLeft > 0) return;
    const int type = Proc::Type(m_nCurrentArg);
    if (!this->IsFortran() && type == 5)
        AddWords(static_cast<long long>(m_nArgElements) * Base::StringTableEntryBytes);
    AddWords(static_cast<long long>(m_nArgElements) * this->TypeSize(type));
}

QV_PROCEDURE_TEMPLATE void QV_PROCEDURE::LastArgument() {
    if (!m_bCountingPass) return;
    int sizes = 0;
    for (int i = 0; i < TotalArgs(); ++i)
        sizes += Proc::Dimensions(i);
    if (m_nCurrentArg < TotalArgs() - 1 || m_nDimsLeft > 0 || m_nDimCursor != sizes)
        m_bLayoutSound = false;
    P()->CreateDerivatives();
    m_nElementRoom = static_cast<long long>(this->m_nInputVars) + this->m_nOutputVars;
    m_nCountedInputs = this->m_nInputs;
    this->FinalizeConstruction(GetOffset(InputArgs()), m_nBufferWords);
    this->m_nInputVars = 0;
    this->m_nOutputVars = 0;
    this->m_nInputs = 0;
    std::fill(m_aListedElements, m_aListedElements + TotalArgs(), 0);
    m_nCurrentArg = -1;
    m_bCountingPass = false;
    InitializeCStrings(); // the packed value buffer has its address now
}

QV_PROCEDURE_TEMPLATE template <class Visit>
void QV_PROCEDURE::ForEachArgument(int first, int last, Visit visit) const {
    int cursor = 0;
    for (int i = 0; i < last; ++i) {
        const int dimensions = Proc::Dimensions(i);
        const long long elements = ElementCount(dimensions, m_aDimSizes + cursor);
        cursor += dimensions;
        if (i >= first) visit(i, dimensions, elements);
    }
}

QV_PROCEDURE_TEMPLATE int QV_PROCEDURE::GetOffset(int i) const {
    return m_aOffsets[i] - this->LanguageBaseIndex();
}
QV_PROCEDURE_TEMPLATE const int* QV_PROCEDURE::GetOffsets(int i) const {
    return m_aOffsets + i;
}
QV_PROCEDURE_TEMPLATE int QV_PROCEDURE::GetIntegerArg(int i) const {
    return m_aConstArgs[i].Integer();
}
QV_PROCEDURE_TEMPLATE double QV_PROCEDURE::GetRealArg(int i) const {
    return m_aConstArgs[i].Real();
}
QV_PROCEDURE_TEMPLATE const char* QV_PROCEDURE::GetStringArg(int i) const {
    return m_aConstArgs[i].String();
}
