// The interpolation procedure as a model's generated code reaches it: its class declaration for
// the object's size, and its members through the loaded library, which exports each under its
// decorated name. The driver links the host framework only, so it calls nothing of the
// library directly: the virtual operations go through the object's own table, the others
// through the addresses found here.
#pragma once

#include <string>

#include "host/qvcore.h"

class ModelLibrary;

class InterpolationBinding {
public:
    // Finds every member; false with `error` naming the first one that the library lacks.
    bool Resolve(const ModelLibrary& library, std::string& error);

    // A new procedure, constructed by the library with (flag, mode); null when the host's
    // allocator refuses. It is released through its own Release().
    QV_ProcedureType* Create(bool flag, int mode) const;

    void Argument(QV_ProcedureType* procedure, QV_VarParam& variable) const;
    void Argument(QV_ProcedureType* procedure, int value) const;
    void Argument(QV_ProcedureType* procedure) const;
    void Element(QV_ProcedureType* procedure, QV_VarParam& variable) const;
    void SetDimensionSize(QV_ProcedureType* procedure, int size) const;
    void LastArgument(QV_ProcedureType* procedure) const;
    int NZAndEqnContribution(QV_ProcedureType* procedure, QV_ModelTypeEx* owner, int group,
                             int& equationCount) const;
    void CreateEquationsAndSetGroup(QV_ProcedureType* procedure, int group, int*& rows, int*& cols,
                                    int& equationCount, QV_ModelTypeEx* owner) const;

private:
    void* m_construct = nullptr;
    void* m_argumentVariable = nullptr;
    void* m_argumentInteger = nullptr;
    void* m_argumentOpen = nullptr;
    void* m_element = nullptr;
    void* m_setDimensionSize = nullptr;
    void* m_lastArgument = nullptr;
    void* m_contribution = nullptr;
    void* m_createEquations = nullptr;
};
