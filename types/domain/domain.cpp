#include "types/domain/domain.h"

QV_DOMAIN::QV_DOMAIN(bool construct)
    : SECTION(), QV_SECTION_SET1(true), LENGTH(), SPACINGPREFERENCE(), VALUE(), QV_VALUE_SET1(true),
      USERNOTES(true), INPUTSIGNAL(true), OUTPUTSIGNAL(true), DISCRETIZATIONMETHOD(true),
      NUMSECTIONS(true), MINNODECOUNT(true), NUMPOLYPOINTS(true), POLYPOINT(),
      QV_POLYPOINT_SET1(true), HIGHESTORDERDERIVATIVE(true), INTERIOR(true), ENDNODE(true) {
    if (construct) Construct();
}

// Declaration order, except that each internal index set comes just before its array.
void QV_DOMAIN::Construct() {
    QV_SECTION_SET1.AddProperty(this, "QV_SECTION_SET1", nullptr, 0, false);
    SECTION.AddProperty(this, "SECTION", nullptr, 0, false);
    LENGTH.AddProperty(this, "LENGTH", "Domain length", 0, false);
    SPACINGPREFERENCE.AddProperty(this, "SPACINGPREFERENCE", "Preferred node spacing for domain", 0,
                                  false);
    QV_VALUE_SET1.AddProperty(this, "QV_VALUE_SET1", nullptr, 0, false);
    VALUE.AddProperty(this, "VALUE", "DO NOT EDIT - Location of each node in domain", 0, false);
    USERNOTES.AddProperty(this, "USERNOTES", nullptr, 0, false);
    INPUTSIGNAL.AddProperty(this, "INPUTSIGNAL", nullptr, 4, false)->UnsetIsToBeExported();
    OUTPUTSIGNAL.AddProperty(this, "OUTPUTSIGNAL", nullptr, 8, false)->UnsetIsToBeExported();
    DISCRETIZATIONMETHOD.AddProperty(this, "DISCRETIZATIONMETHOD",
                                     "Method used to calculate partial derivatives", 0, false);
    NUMSECTIONS.AddProperty(this, "NUMSECTIONS", "Number of sections in the domain", 0, false);
    MINNODECOUNT.AddProperty(this, "MINNODECOUNT", nullptr, 0, false);
    NUMPOLYPOINTS.AddProperty(this, "NUMPOLYPOINTS", nullptr, 0, false);
    QV_POLYPOINT_SET1.AddProperty(this, "QV_POLYPOINT_SET1", nullptr, 0, false);
    POLYPOINT.AddProperty(this, "POLYPOINT", nullptr, 0, false);
    HIGHESTORDERDERIVATIVE.AddProperty(this, "HIGHESTORDERDERIVATIVE", nullptr, 0, false);
    INTERIOR.AddProperty(this, "INTERIOR", nullptr, 0, false);
    ENDNODE.AddProperty(this, "ENDNODE", "DO NOT EDIT - Index of the rightmost element in domain",
                        0, false);
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
