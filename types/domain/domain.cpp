#include "types/domain/domain.h"

QV_DOMAIN::QV_DOMAIN(bool construct)
    : SECTION(), QV_SECTION_SET1(), LENGTH(), SPACINGPREFERENCE(), VALUE(), QV_VALUE_SET1(),
      USERNOTES(true), INPUTSIGNAL(true), OUTPUTSIGNAL(true), DISCRETIZATIONMETHOD(true),
      NUMSECTIONS(true), MINNODECOUNT(true), NUMPOLYPOINTS(true), POLYPOINT(), QV_POLYPOINT_SET1(),
      HIGHESTORDERDERIVATIVE(true), INTERIOR(), ENDNODE(true) {
    if (construct) Construct();
}

// Declaration order, except that each internal index set comes just before its array.
void QV_DOMAIN::Construct() {
    QV_SECTION_SET1.AddProperty(this, "QV_SECTION_SET1", nullptr, QV_Direction_None, false);
    SECTION.AddProperty(this, "SECTION", nullptr, QV_Direction_None, false);
    LENGTH.AddProperty(this, "LENGTH", "Domain length", QV_Direction_None, false);
    SPACINGPREFERENCE.AddProperty(this, "SPACINGPREFERENCE", "Preferred node spacing for domain",
                                  QV_Direction_None, false);
    QV_VALUE_SET1.AddProperty(this, "QV_VALUE_SET1", nullptr, QV_Direction_None, false);
    VALUE.AddProperty(this, "VALUE", "DO NOT EDIT - Location of each node in domain",
                      QV_Direction_None, false);
    USERNOTES.AddProperty(this, "USERNOTES", nullptr, QV_Direction_None, false);
    INPUTSIGNAL.AddProperty(this, "INPUTSIGNAL", nullptr, QV_Direction_Input, false)
        ->UnsetIsToBeExported();
    OUTPUTSIGNAL.AddProperty(this, "OUTPUTSIGNAL", nullptr, QV_Direction_Output, false)
        ->UnsetIsToBeExported();
    DISCRETIZATIONMETHOD.AddProperty(this, "DISCRETIZATIONMETHOD",
                                     "Method used to calculate partial derivatives",
                                     QV_Direction_None, false);
    NUMSECTIONS.AddProperty(this, "NUMSECTIONS", "Number of sections in the domain",
                            QV_Direction_None, false);
    MINNODECOUNT.AddProperty(this, "MINNODECOUNT", nullptr, QV_Direction_None, false);
    NUMPOLYPOINTS.AddProperty(this, "NUMPOLYPOINTS", nullptr, QV_Direction_None, false);
    QV_POLYPOINT_SET1.AddProperty(this, "QV_POLYPOINT_SET1", nullptr, QV_Direction_None, false);
    POLYPOINT.AddProperty(this, "POLYPOINT", nullptr, QV_Direction_None, false);
    HIGHESTORDERDERIVATIVE.AddProperty(this, "HIGHESTORDERDERIVATIVE", nullptr, QV_Direction_None,
                                       false);
    INTERIOR.AddProperty(this, "INTERIOR", nullptr, QV_Direction_None, false);
    ENDNODE.AddProperty(this, "ENDNODE", "DO NOT EDIT - Index of the rightmost element in domain",
                        QV_Direction_None, false);
}

void QV_DOMAIN::SetDims() {
    (*SECTION).SetDim(QV_SECTION_SET1);
    (*VALUE).SetDim(QV_VALUE_SET1);
    POLYPOINT.SetDim(QV_POLYPOINT_SET1);
    QV_ModelTypeEx2::SetDims();
}

QV_DEFINE_GENERATED_COMMON(QV_DOMAIN, QV_ModelTypeEx2, "Model DOMAIN\tV8.8")
QV_DEFINE_NO_EQUATIONS(QV_DOMAIN, QV_ModelTypeEx2)
QV_DEFINE_CREATABLE(DOMAIN, QV_DOMAIN)
