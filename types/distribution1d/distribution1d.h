// A variable distributed over the nodes of one domain, with its first and second partial
// derivatives and, on request, its interval integrals, each defined by equations that the
// type declares to the host and writes as prefix expressions.
#pragma once

#include "framework/generated_type.h"
#include "types/connectivity/control_port.h"
#include "types/domain/domain.h"

class NORVANE_CLASS QV_DISTRIBUTION1D : public QV_ModelTypeEx2 {
    QV_GENERATED_TYPE(QV_DISTRIBUTION1D);

    QV_External<QV_DOMAIN> XDOMAIN;
    QV_Virtual<QV_ARRAY_I<QV_REALVARIABLE, QV_REALVARIABLE>> VALUE;
    QV_INTEGERSET QV_VALUE_SET1;
    QV_STRINGPARAMETER USERNOTES;
    QV_CONTROLPORT INPUTSIGNAL;
    QV_CONTROLPORT OUTPUTSIGNAL;
    QV_INTEGERPARAMETER HIGHESTORDERXDERIVATIVE;
    QV_INTEGERPARAMETER HIGHESTORDERXDERIVATIVEUSED;
    QV_STRINGSET INTEGRALS;
    QV_ARRAY_I<QV_PARTIALDERIVATIVE, QV_PARTIALDERIVATIVE> DDX;
    QV_INTEGERSET QV_DDX_SET1;
    QV_ARRAY_I<QV_PARTIALDERIVATIVE, QV_PARTIALDERIVATIVE> D2DX2;
    QV_INTEGERSET QV_D2DX2_SET1;
    QV_ARRAY_I<QV_REALVARIABLE, QV_REALVARIABLE> IDX;
    QV_INTEGERSET QV_IDX_SET1;
    QV_GENERATED_COUNTERS;
};

QV_PROPERTY_TEMPLATE_INSTANCES(QV_DISTRIBUTION1D);
