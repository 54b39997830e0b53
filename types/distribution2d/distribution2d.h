// A variable distributed over the rectangle of two domains, with its first and second partial
// derivatives along x and y and, on request, its integrals along x, along y and over both, each
// defined by equations that the type declares to the host and writes as prefix expressions.
#pragma once

#include "framework/generated_type.h"
#include "types/connectivity/control_port.h"
#include "types/domain/domain.h"

class NORVANE_CLASS QV_DISTRIBUTION2D : public QV_ModelTypeEx2 {
    QV_GENERATED_TYPE(QV_DISTRIBUTION2D);

    using Variables = QV_ARRAY_II<QV_REALVARIABLE, QV_REALVARIABLE>;
    using Derivatives = QV_ARRAY_II<QV_PARTIALDERIVATIVE, QV_PARTIALDERIVATIVE>;

    QV_External<QV_DOMAIN> XDOMAIN;
    QV_External<QV_DOMAIN> YDOMAIN;
    QV_INTEGERSET QV_VALUE_SET1;
    QV_INTEGERSET QV_VALUE_SET2;
    QV_Virtual<Variables> VALUE;
    QV_STRINGPARAMETER USERNOTES;
    QV_CONTROLPORT INPUTSIGNAL;
    QV_CONTROLPORT OUTPUTSIGNAL;
    QV_INTEGERPARAMETER HIGHESTORDERXDERIVATIVE;
    QV_INTEGERPARAMETER HIGHESTORDERYDERIVATIVE;
    QV_INTEGERPARAMETER HIGHESTORDERXDERIVATIVEUSED;
    QV_INTEGERPARAMETER HIGHESTORDERYDERIVATIVEUSED;
    QV_STRINGSET INTEGRALS;
    QV_INTEGERSET QV_DDX_SET1;
    QV_INTEGERSET QV_DDX_SET2;
    Derivatives DDX;
    QV_INTEGERSET QV_DDY_SET1;
    QV_INTEGERSET QV_DDY_SET2;
    Derivatives DDY;
    QV_INTEGERSET QV_D2DX2_SET1;
    QV_INTEGERSET QV_D2DX2_SET2;
    Derivatives D2DX2;
    QV_INTEGERSET QV_D2DY2_SET1;
    Derivatives D2DY2;
    QV_INTEGERSET QV_IDX_SET1;
    QV_INTEGERSET QV_IDX_SET2;
    Variables IDX;
    QV_INTEGERSET QV_IDY_SET1;
    QV_INTEGERSET QV_IDY_SET2;
    Variables IDY;
    QV_INTEGERSET QV_IDXDY_SET1;
    QV_INTEGERSET QV_IDXDY_SET2;
    Variables IDXDY;
    QV_GENERATED_COUNTERS;
};

QV_PROPERTY_TEMPLATE_INSTANCES(QV_DISTRIBUTION2D);
