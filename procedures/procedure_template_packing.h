// Packing the arguments into the packed value buffer before a call, writing inputs back after
// it, and the character-pointer tables of string arrays.
#pragma once

#include <cstring>

#include "procedures/procedure_template.h"

QV_PROCEDURE_TEMPLATE QV_VarParam* QV_PROCEDURE::NextElement() {
    if (!this->m_ppVars || !this->m_ppVarCursor ||
        this->m_ppVarCursor - this->m_ppVars >= m_nElementRoom)
        return nullptr;
    return *this->m_ppVarCursor++;
}

QV_PROCEDURE_TEMPLATE void QV_PROCEDURE::PackInputVars() {
    m_nDimCursor = 0;
    m_nCurrentArg = 0;
    this->m_ppVarCursor = this->m_ppVars;
    while (m_nCurrentArg < InputArgs()) {
        const int i = m_nCurrentArg;
        switch (Proc::Type(i)) {
        case 2:
        case 3:
            ByReference(i) ? PackVarInteger() : PackVal(GetIntegerArg(i));
            break;
        case 4:
            ByReference(i) ? PackVarReal() : PackVal(GetRealArg(i));
            break;
        case 5:
            ByReference(i) ? PackVarString() : PackVal(GetStringArg(i));
            break;
        default:
            ++m_nCurrentArg;
            break;
        }
    }
}

// Every output value as a real, into the words from the outputs' offset on.
QV_PROCEDURE_TEMPLATE void QV_PROCEDURE::PackOutputVars() {
    double* outputs = this->m_pValues + GetOffset(InputArgs());
    for (int k = 0; k < this->m_nOutputs; ++k) {
        const QV_VarParam* output = NextElement();
        if (!output) return;
        outputs[k] = output->Real();
    }
}

// Writes a scalar at the start of the current argument's first word when it differs from what
// stands there (doubles: unless equal, so a NaN always counts as a change).
QV_PROCEDURE_TEMPLATE template <class T> bool QV_PROCEDURE::PackScalar(T value) {
    char* word = reinterpret_cast<char*>(this->m_pValues + GetOffset(m_nCurrentArg++));
    T stored;
    std::memcpy(&stored, word, sizeof stored);
    if (!(stored == value)) {
        std::memcpy(word, &value, sizeof value);
        this->m_bCallNeeded = true;
    }
    return this->m_bCallNeeded;
}

QV_PROCEDURE_TEMPLATE bool QV_PROCEDURE::PackVal(int value) {
    return PackScalar(value);
}
QV_PROCEDURE_TEMPLATE bool QV_PROCEDURE::PackVal(double value) {
    return PackScalar(value);
}
QV_PROCEDURE_TEMPLATE bool QV_PROCEDURE::PackVal(const char* text) {
    char* word = reinterpret_cast<char*>(this->m_pValues + GetOffset(m_nCurrentArg++));
    return this->PackStr(word, text);
}

// A variable argument: an array goes whole to the host's packer, which takes its elements
// from the element cursor; a scalar packs its one element.
QV_PROCEDURE_TEMPLATE template <class PackArray, class PackOne>
bool QV_PROCEDURE::PackVariable(PackArray array, PackOne one) {
    const int i = m_nCurrentArg;
    const int dimensions = Proc::Dimensions(i);
    if (dimensions != 0) {
        ++m_nCurrentArg;
        array(this->m_pValues + GetOffset(i), dimensions, m_aDimSizes + m_nDimCursor);
        m_nDimCursor += dimensions;
        return this->m_bCallNeeded;
    }
    QV_VarParam* element = NextElement();
    if (element) return one(*element);
    ++m_nCurrentArg;
    return this->m_bCallNeeded;
}

QV_PROCEDURE_TEMPLATE bool QV_PROCEDURE::PackVarInteger() {
    return PackVariable(
        [this](double* word, int n, const int* sizes) {
            this->PackIntegerArray(reinterpret_cast<int*>(word), n, sizes);
        },
        [this](QV_VarParam& element) { return PackVal(element.Integer()); });
}
QV_PROCEDURE_TEMPLATE bool QV_PROCEDURE::PackVarReal() {
    return PackVariable(
        [this](double* word, int n, const int* sizes) { this->PackRealArray(word, n, sizes); },
        [this](QV_VarParam& element) { return PackVal(element.Real()); });
}
QV_PROCEDURE_TEMPLATE bool QV_PROCEDURE::PackVarString() {
    return PackVariable(
        [this](double* word, int n, const int* sizes) {
            this->PackStringArray(reinterpret_cast<char*>(word), n, sizes);
        },
        [this](QV_VarParam& element) { return PackVal(element.String()); });
}

// A new value for a variable: through Assign while its value is an assigned one, else as its
// current value.
QV_PROCEDURE_TEMPLATE template <class T>
void QV_PROCEDURE::TakeValue(QV_VarParam& variable, T value, QV_Value& scratch) {
    if (variable.IsDefaultAssignment()) {
        scratch.ResetValue(value);
        variable.Assign(&scratch);
    } else {
        variable.SetCurrentValue(value);
    }
}

QV_PROCEDURE_TEMPLATE template <class T>
void QV_PROCEDURE::WriteBack(QV_VarParam& variable, T value, QV_Value& scratch) {
    TakeValue(variable, value, scratch);
    if (QV_IncrementalUpdate* controller = this->UpdateController())
        controller->VariableChanged(&variable, 0);
}

// The inputs that the signature marks as written back: each solver variable whose value
// differs from what the routine left in the input's words takes that value. String fields
// are 40 characters, trailing blanks and NULs trimmed; under C rules they follow the
// character-pointer table of their array.
QV_PROCEDURE_TEMPLATE void QV_PROCEDURE::UnpackInputVars() {
    this->m_ppVarCursor = this->m_ppVars;
    QV_Value scratch(0.0, 0x3E000000u);
    ForEachArgument(0, InputArgs(), [&](int i, int dimensions, long long elements) {
        if (!ByReference(i)) return;
        const int type = Proc::Type(i);
        if (!Proc::IsVariableInput(i) || type < 2 || type > 5) {
            for (long long k = 0; k < elements; ++k)
                NextElement();
            return;
        }
        const char* field = reinterpret_cast<const char*>(this->m_pValues + GetOffset(i));
        if (type == 5 && dimensions != 0 && !this->IsFortran())
            field += ((elements * Base::StringTableEntryBytes + 7) >> 3) * 8;
        for (long long k = 0; k < elements; ++k) {
            QV_VarParam* variable = NextElement();
            if (!variable) break;
            if (type == 4) {
                double value;
                std::memcpy(&value, field + 8 * k, sizeof value);
                if (variable->IsSolverVariable() && !(variable->Real() == value))
                    WriteBack(*variable, value, scratch);
            } else if (type != 5) {
                int value;
                std::memcpy(&value, field + 4 * k, sizeof value);
                if (variable->IsSolverVariable() && variable->Integer() != value)
                    WriteBack(*variable, static_cast<double>(value), scratch);
            } else {
                char text[Base::StringSlotBytes + 1] = {};
                std::strncpy(text, field + Base::StringSlotBytes * k, Base::StringSlotBytes);
                for (int c = Base::StringSlotBytes; c >= 0 && (text[c] == 0 || text[c] == ' '); --c)
                    text[c] = 0;
                if (!text[0] || !variable->IsSolverVariable()) continue;
                // A variable without a current text (null) differs from any text: it takes
                // the field's. Only a current text is compared.
                const char* current = variable->String();
                if (!current || std::strcmp(current, text) != 0)
                    WriteBack(*variable, static_cast<const char*>(text), scratch);
            }
        }
    });
    m_nDimCursor = 0;
    m_nCurrentArg = 0;
}

// Points each entry of a string-array input's table at its string slot (C rules only: a
// Fortran routine has no table).
QV_PROCEDURE_TEMPLATE void QV_PROCEDURE::InitializeCStrings() {
    if (this->IsFortran() || m_bCountingPass || !m_bLayoutSound || !this->m_pValues) return;
    ForEachArgument(0, InputArgs(), [&](int i, int dimensions, long long elements) {
        if (dimensions == 0 || Proc::Type(i) != 5) return;
        char* table = reinterpret_cast<char*>(this->m_pValues + GetOffset(i));
        char* slot = table + ((elements * Base::StringTableEntryBytes + 7) >> 3) * 8;
        for (long long k = 0; k < elements; ++k, slot += this->TypeSize(5))
            std::memcpy(table + k * Base::StringTableEntryBytes, &slot, sizeof slot);
    });
}
