// Equation objects: an equation that a model registers as an object (AddEquation with an
// equation) instead of by name alone. A procedure equation stands for one output element of a
// procedure: its residual and Jacobian row come from the procedure, not from an expression.
//
// The owner that registers an equation object holds a reference to it and releases it when
// the owner drops its equations (JacPattern, a new registration under the same number, its
// own destruction). The name is copied at construction.
#pragma once

#include "host/qv_object.h"

class QV_ProcedureType;

class QVCORE_API QV_EquationType : public QV_Containable {
public:
    ~QV_EquationType() override;
    // The procedure whose output `output` this equation stands for; null for any other.
    virtual QV_ProcedureType* ProcedureEquation(int output) const;
    virtual int Precall(bool flag);
    virtual int Postcall(bool flag);
    virtual int Torn() const;
    virtual QV_Variable* OutputVar() const;
    virtual bool IsConditional() const;

protected:
    QV_EquationType();
    QV_EquationType(const QV_EquationType&) = delete;
    QV_EquationType& operator=(const QV_EquationType&) = delete;
    void Describe(const char* name, const char* source);
};

class QVCORE_API QV_ProcedureEquationType : public QV_EquationType {
public:
    // Equation `number` (from 1) of `procedure`, registered by `owner` as equation `row`;
    // `kind`, `source` and `line` are the owner's description of the call.
    QV_ProcedureEquationType(QV_ProcedureType* procedure, int number, int kind,
                             QV_Containable* owner, const char* source, int row, int line,
                             const char* name);
    ~QV_ProcedureEquationType() override;

    QV_ProcedureType* ProcedureEquation(int output) const override;
    int Precall(bool flag) override;
    int Postcall(bool flag) override;
    int Torn() const override;
    QV_Variable* OutputVar() const override;

    int Number() const;
    int Kind() const;
    int Row() const;
    int Line() const;
    QV_Containable* EquationOwner() const;

private:
    QV_ProcedureType* m_procedure;
    QV_Containable* m_owner;
    int m_number;
    int m_kind;
    int m_row;
    int m_line;
};
