#include "procedures/interpolate.h"

#include "framework/abstract_class_deletion.h"
#include "procedures/procedure_template_all.h"

// The template's members are emitted here, once, and exported with the class.
template class NORVANE_CLASS
    QV_ProcedureTemplate<QVProc_INTERPOLATE, 4, 1, 2, QV_ProcedureType_C, 4>;
// The template is abstract: its exported deleting destructor runs ~QV_ProcedureTemplate, then
// returns the object's memory.
NORVANE_ABSTRACT_CLASS_DELETION(QV_InterpolateTemplate)

QVProc_INTERPOLATE::QVProc_INTERPOLATE(bool flag, int mode) {
    SetMode(flag, mode);
}
QVProc_INTERPOLATE::QVProc_INTERPOLATE(const QVProc_INTERPOLATE& other)
    : QV_InterpolateTemplate(other) {}
QVProc_INTERPOLATE& QVProc_INTERPOLATE::operator=(const QVProc_INTERPOLATE& other) {
    QV_InterpolateTemplate::operator=(other);
    return *this;
}
QVProc_INTERPOLATE::~QVProc_INTERPOLATE() = default;

bool QVProc_INTERPOLATE::ReturnsDerivatives() {
    return true;
}

const char* QVProc_INTERPOLATE::ProcedureName() const {
    return "INTERP";
}
const char* QVProc_INTERPOLATE::DLLName() const {
    return "QVNorvane";
}
int QVProc_INTERPOLATE::Precall(bool flag) {
    return CallFn(QV_ProcedureType::PreCall, flag);
}
void QVProc_INTERPOLATE::CreateDerivatives() {
    HandleDerivatives(false);
}
void QVProc_INTERPOLATE::NegateDerivatives() {
    HandleDerivatives(true);
}
