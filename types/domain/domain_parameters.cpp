#include "types/domain/domain_parameters.h"

// The base is built without its defaults; the derived type applies them once its own
// overrides are in force. Every member is defined here, out of line, so that the library
// exports it.
#define QV_DEFINE_PARAMETER_TYPE(Class, Base)                                                      \
    Class::Class(bool init) : Base(false) {                                                        \
        if (init) Base::InitializeSystemAttributes();                                              \
    }                                                                                              \
    Class::~Class() = default;                                                                     \
    Class& Class::operator=(const Class& other) = default;                                         \
    Class& Class::operator*() {                                                                    \
        return *this;                                                                              \
    }

QV_DEFINE_PARAMETER_TYPE(QV_DISCRETIZATIONMETHODPARAM_DOMAIN, QV_STRINGPARAMETER)
QV_DEFINE_PARAMETER_TYPE(QV_NUMSECTIONSPARAM_DOMAIN, QV_INTEGERPARAMETER)
QV_DEFINE_PARAMETER_TYPE(QV_POLYPOINTSPARAM_DOMAIN, QV_INTEGERPARAMETER)
QV_DEFINE_PARAMETER_TYPE(QV_ANGLEPARAMETER, QV_REALPARAMETER)
QV_DEFINE_PARAMETER_TYPE(QV_LENGTHPARAMETER, QV_REALPARAMETER)

// Each default below is a function-local static: made on the first call, destroyed when the
// library is unloaded, in reverse order of making (the valid set's value before its names).

QV_Value* QV_DISCRETIZATIONMETHODPARAM_DOMAIN::QV_DefaultVALUE() const {
    static QV_Value value("BFD1", 0u);
    return &value;
}

QV_Value* QV_DISCRETIZATIONMETHODPARAM_DOMAIN::QV_DefaultVALID() const {
    // The ten method names, each followed by a double quote.
    static const QV_StrSetValue names(
        "BFD1\"BFD2\"CFD2\"CFD4\"FFD1\"FFD2\"OCFE2\"OCFE3\"OCFE4\"UBFD4\"");
    static QV_Value value(names, 0u);
    return &value;
}

QV_Value* QV_NUMSECTIONSPARAM_DOMAIN::QV_DefaultVALUE() const {
    static QV_Value value(1, 0u);
    return &value;
}

QV_Value* QV_NUMSECTIONSPARAM_DOMAIN::QV_DefaultLOWER() const {
    static QV_Value value(1, 0u);
    return &value;
}

QV_Value* QV_POLYPOINTSPARAM_DOMAIN::QV_DefaultVALUE() const {
    static QV_Value value(0, 0u);
    return &value;
}

QV_Value* QV_POLYPOINTSPARAM_DOMAIN::QV_DefaultLOWER() const {
    static QV_Value value(0, 0u);
    return &value;
}

int QV_ANGLEPARAMETER::QV_PQCol() const {
    return 1;
}
int QV_ANGLEPARAMETER::QV_PQRow() const {
    return 32;
}

QV_Value* QV_ANGLEPARAMETER::QV_DefaultPHYSICALQUANTITY() const {
    static QV_Value value("Angle", 0u);
    return &value;
}

QV_Value* QV_ANGLEPARAMETER::QV_DefaultBASEUOMNAME() const {
    static QV_Value value("rad", 0u);
    return &value;
}

int QV_LENGTHPARAMETER::QV_PQCol() const {
    return 1;
}
int QV_LENGTHPARAMETER::QV_PQRow() const {
    return 17;
}

QV_Value* QV_LENGTHPARAMETER::QV_DefaultPHYSICALQUANTITY() const {
    static QV_Value value("Length", 0u);
    return &value;
}

QV_Value* QV_LENGTHPARAMETER::QV_DefaultBASEUOMNAME() const {
    static QV_Value value("m", 0u);
    return &value;
}
