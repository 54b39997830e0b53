// The value classes: parameters, variables, sets and component lists. Each is a QV_VarParam of
// one value kind; operator* gives the property and v()/fv() its value, as model code reads
// them.
#include "host/qv_object.h"

#define QV_DEFINE_VALUE_CLASS_COPYING(Class)                                                       \
    Class::Class(const Class& other) = default;                                                    \
    Class& Class::operator=(const Class& other) = default;                                         \
    Class::~Class() = default

// operator* of a value class: the property itself.
#define QV_DEFINE_PROPERTY_ITSELF(Class)                                                           \
    Class& Class::operator*() {                                                                    \
        return *this;                                                                              \
    }

// v() and fv() of a value class whose value is a number: the value read as a `Type`.
#define QV_DEFINE_NUMBER_VALUE(Class, Type, Read)                                                  \
    Type Class::v() {                                                                              \
        return Value().Read();                                                                     \
    }                                                                                              \
    Type Class::fv() const {                                                                       \
        return Value().Read();                                                                     \
    }

QV_REALPARAMETER::QV_REALPARAMETER(bool init) : QV_VarParam(SUValue::TypeReal) {
    if (init) InitializeSystemAttributes();
}
QV_DEFINE_VALUE_CLASS_COPYING(QV_REALPARAMETER);
QV_DEFINE_PROPERTY_ITSELF(QV_REALPARAMETER)
QV_DEFINE_NUMBER_VALUE(QV_REALPARAMETER, double, RealValue)
void QV_REALPARAMETER::InitializeSystemAttributes() {
    QV_VarParam::InitializeSystemAttributes();
}
const char* QV_REALPARAMETER::QV_ContainerId() {
    return "Parameter REALPARAMETER\tV8.8";
}

QV_INTEGERPARAMETER::QV_INTEGERPARAMETER(bool init) : QV_VarParam(SUValue::TypeInteger) {
    if (init) InitializeSystemAttributes();
}
QV_DEFINE_VALUE_CLASS_COPYING(QV_INTEGERPARAMETER);
QV_DEFINE_PROPERTY_ITSELF(QV_INTEGERPARAMETER)
QV_DEFINE_NUMBER_VALUE(QV_INTEGERPARAMETER, int, IntValue)
void QV_INTEGERPARAMETER::InitializeSystemAttributes() {
    QV_VarParam::InitializeSystemAttributes();
}
const char* QV_INTEGERPARAMETER::QV_ContainerId() {
    return "Parameter INTEGERPARAMETER\tV8.8";
}

QV_STRINGPARAMETER::QV_STRINGPARAMETER(bool init) : QV_VarParam(SUValue::TypeText) {
    if (init) InitializeSystemAttributes();
}
QV_DEFINE_VALUE_CLASS_COPYING(QV_STRINGPARAMETER);
QV_DEFINE_PROPERTY_ITSELF(QV_STRINGPARAMETER)
QV_STRINGPARAMETER& QV_STRINGPARAMETER::v() {
    return *this;
}
const QV_STRINGPARAMETER& QV_STRINGPARAMETER::fv() const {
    return *this;
}
QV_STRINGPARAMETER::operator const char*() const {
    return Value().Text();
}
void QV_STRINGPARAMETER::InitializeSystemAttributes() {
    QV_VarParam::InitializeSystemAttributes();
}
const char* QV_STRINGPARAMETER::QV_ContainerId() {
    return "Parameter STRINGPARAMETER\tV8.8";
}

QV_FalseLOGICALPARAMETER::QV_FalseLOGICALPARAMETER(bool init) : QV_VarParam(SUValue::TypeInteger) {
    if (init) InitializeSystemAttributes();
}
QV_DEFINE_VALUE_CLASS_COPYING(QV_FalseLOGICALPARAMETER);
QV_DEFINE_PROPERTY_ITSELF(QV_FalseLOGICALPARAMETER)
bool QV_FalseLOGICALPARAMETER::v() {
    return Value().IntValue() != 0;
}
const char* QV_FalseLOGICALPARAMETER::QV_ContainerId() {
    return "Parameter LOGICALPARAMETER\tV8.8";
}

QV_COMPONENTLISTNAME::QV_COMPONENTLISTNAME()
    : QV_VarParam(SUValue::TypeText), m_open(0), m_calls(0) {}
QV_DEFINE_VALUE_CLASS_COPYING(QV_COMPONENTLISTNAME);
const char* QV_COMPONENTLISTNAME::QV_ContainerId() {
    return "Parameter COMPONENTLISTNAME\tV8.8";
}
void QV_COMPONENTLISTNAME::BeginPropertiesCall() {
    ++m_open;
    ++m_calls;
}
void QV_COMPONENTLISTNAME::EndPropertiesCall() {
    if (m_open > 0) --m_open;
}
int QV_COMPONENTLISTNAME::OpenPropertiesCalls() const {
    return m_open;
}
int QV_COMPONENTLISTNAME::PropertiesCalls() const {
    return m_calls;
}

QV_Variable::QV_Variable(unsigned short kind) : QV_VarParam(kind) {}
QV_DEFINE_VALUE_CLASS_COPYING(QV_Variable);
bool QV_Variable::IsSolverVariable() const {
    return !IsFixed();
}

QV_REALVARIABLE::QV_REALVARIABLE(bool init) : QV_Variable(SUValue::TypeReal) {
    if (init) InitializeSystemAttributes();
}
QV_DEFINE_VALUE_CLASS_COPYING(QV_REALVARIABLE);
QV_DEFINE_PROPERTY_ITSELF(QV_REALVARIABLE)
QV_DEFINE_NUMBER_VALUE(QV_REALVARIABLE, double, RealValue)
const char* QV_REALVARIABLE::QV_ContainerId() {
    return "Variable REALVARIABLE\tV8.8";
}

QV_PARTIALDERIVATIVE::QV_PARTIALDERIVATIVE(bool init) : QV_REALVARIABLE(init) {}
QV_DEFINE_VALUE_CLASS_COPYING(QV_PARTIALDERIVATIVE);
const char* QV_PARTIALDERIVATIVE::QV_ContainerId() {
    return "Variable PARTIALDERIVATIVE\tV8.8";
}

QV_Set::QV_Set(unsigned short type) : QV_VarParam(type) {}
QV_DEFINE_VALUE_CLASS_COPYING(QV_Set);
QV_DEFINE_PROPERTY_ITSELF(QV_Set)
const QV_SetValue& QV_Set::v() {
    return Value();
}
const QV_SetValue& QV_Set::fv() const {
    return Value();
}
QV_Set::operator const QV_SetValue&() const {
    return Value();
}

QV_INTEGERSET::QV_INTEGERSET() : QV_Set(SUValue::TypeIntegerSet) {
    InitializeSystemAttributes();
}
QV_DEFINE_VALUE_CLASS_COPYING(QV_INTEGERSET);
QV_DEFINE_PROPERTY_ITSELF(QV_INTEGERSET)
const char* QV_INTEGERSET::QV_ContainerId() {
    return "Set INTEGERSET\tV8.8";
}

QV_STRINGSET::QV_STRINGSET(bool init) : QV_Set(SUValue::TypeStringSet) {
    if (init) InitializeSystemAttributes();
}
QV_DEFINE_VALUE_CLASS_COPYING(QV_STRINGSET);
QV_DEFINE_PROPERTY_ITSELF(QV_STRINGSET)
const char* QV_STRINGSET::QV_ContainerId() {
    return "Set STRINGSET\tV8.8";
}
