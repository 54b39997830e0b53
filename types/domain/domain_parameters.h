// Parameter types that differ from the host's parameters only in the defaults they give the
// host: the domain's discretisation method, number of sections and number of polynomial
// points, and the length and angle parameters with their physical quantity and unit.
//
// Each default is one object made on the first request and kept until the library is
// unloaded; every instance of a type hands out the same one.
#pragma once

#include "framework/library_api.h"
#include "framework/property_templates.h"
#include "host/qvcore.h"

// Construction, copying and access shared by the five types. A type built with true applies
// its defaults (its base's InitializeSystemAttributes, which asks for them).
#define QV_PARAMETER_TYPE(Class)                                                                   \
public:                                                                                            \
    explicit Class(bool init = true);                                                              \
    Class(const Class&) = delete; /* copied only by assignment */                                  \
    ~Class() override;                                                                             \
    Class& operator=(const Class& other);                                                          \
    Class& operator*();

// The discretisation method: "BFD1" unless set, one of the ten method names.
class NORVANE_CLASS QV_DISCRETIZATIONMETHODPARAM_DOMAIN : public QV_STRINGPARAMETER {
    QV_PARAMETER_TYPE(QV_DISCRETIZATIONMETHODPARAM_DOMAIN)
    QV_Value* QV_DefaultVALUE() const override;
    QV_Value* QV_DefaultVALID() const override;
};

// The number of sections of a domain: 1, at least 1.
class NORVANE_CLASS QV_NUMSECTIONSPARAM_DOMAIN : public QV_INTEGERPARAMETER {
    QV_PARAMETER_TYPE(QV_NUMSECTIONSPARAM_DOMAIN)
    QV_Value* QV_DefaultVALUE() const override;
    QV_Value* QV_DefaultLOWER() const override;
};

// The number of polynomial points inside one element: 0, at least 0.
class NORVANE_CLASS QV_POLYPOINTSPARAM_DOMAIN : public QV_INTEGERPARAMETER {
    QV_PARAMETER_TYPE(QV_POLYPOINTSPARAM_DOMAIN)
    QV_Value* QV_DefaultVALUE() const override;
    QV_Value* QV_DefaultLOWER() const override;
};

// An angle in radians: quantity "Angle", column 1 and row 32 of the host's quantity table.
class NORVANE_CLASS QV_ANGLEPARAMETER : public QV_REALPARAMETER {
    QV_PARAMETER_TYPE(QV_ANGLEPARAMETER)
    int QV_PQCol() const override;
    int QV_PQRow() const override;
    QV_Value* QV_DefaultPHYSICALQUANTITY() const override;
    QV_Value* QV_DefaultBASEUOMNAME() const override;
};

// A length in metres: quantity "Length", column 1 and row 17 of the host's quantity table.
class NORVANE_CLASS QV_LENGTHPARAMETER : public QV_REALPARAMETER {
    QV_PARAMETER_TYPE(QV_LENGTHPARAMETER)
    int QV_PQCol() const override;
    int QV_PQRow() const override;
    QV_Value* QV_DefaultPHYSICALQUANTITY() const override;
    QV_Value* QV_DefaultBASEUOMNAME() const override;
};

#undef QV_PARAMETER_TYPE

QV_PROPERTY_TEMPLATE_INSTANCES(QV_ANGLEPARAMETER);
QV_PROPERTY_TEMPLATE_INSTANCES(QV_LENGTHPARAMETER);
QV_PROPERTY_TEMPLATE_INSTANCES(QV_DISCRETIZATIONMETHODPARAM_DOMAIN);
QV_PROPERTY_TEMPLATE_INSTANCES(QV_NUMSECTIONSPARAM_DOMAIN);
QV_PROPERTY_TEMPLATE_INSTANCES(QV_POLYPOINTSPARAM_DOMAIN);
