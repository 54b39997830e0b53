#include "host/qv_equation.h"

#include "host/qv_procedure.h"

QV_ProcedureType* QV_EquationType::ProcedureEquation(int) const {
    return nullptr;
}
int QV_EquationType::Precall(bool) {
    return 0;
}
int QV_EquationType::Postcall(bool) {
    return 0;
}
int QV_EquationType::Torn() const {
    return 0;
}
QV_EquationType::QV_EquationType() = default;
QV_EquationType::~QV_EquationType() = default;
QV_Variable* QV_EquationType::OutputVar() const {
    return nullptr;
}
bool QV_EquationType::IsConditional() const {
    return false;
}
void QV_EquationType::Describe(const char* name, const char* source) {
    Register(nullptr, name, source, 0, QV_RegistrationForm::None);
}

QV_ProcedureEquationType::QV_ProcedureEquationType(QV_ProcedureType* procedure, int number,
                                                   int kind, QV_Containable* owner,
                                                   const char* source, int row, int line,
                                                   const char* name)
    : m_procedure(procedure), m_owner(owner), m_number(number), m_kind(kind), m_row(row),
      m_line(line) {
    Describe(name, source);
}
QV_ProcedureEquationType::~QV_ProcedureEquationType() = default;

QV_ProcedureType* QV_ProcedureEquationType::ProcedureEquation(int) const {
    return m_procedure;
}
int QV_ProcedureEquationType::Precall(bool flag) {
    return m_procedure ? m_procedure->Precall(flag) : 0;
}
int QV_ProcedureEquationType::Postcall(bool flag) {
    return m_procedure ? m_procedure->Postcall(flag) : 0;
}
int QV_ProcedureEquationType::Torn() const {
    return 0;
}
QV_Variable* QV_ProcedureEquationType::OutputVar() const {
    return m_procedure ? m_procedure->OutputVar(m_number - 1) : nullptr;
}
int QV_ProcedureEquationType::Number() const {
    return m_number;
}
int QV_ProcedureEquationType::Kind() const {
    return m_kind;
}
int QV_ProcedureEquationType::Row() const {
    return m_row;
}
int QV_ProcedureEquationType::Line() const {
    return m_line;
}
QV_Containable* QV_ProcedureEquationType::EquationOwner() const {
    return m_owner;
}
