#include "types/domain/section_data_model.h"

QV_SECTIONDATAMODEL::QV_SECTIONDATAMODEL(bool construct)
    : QV_GENERICMODEL(false), MINNODECOUNT(), LOCATION(), SPACINGPREFERENCE(), SPACINGUSED(),
      LENGTH(true), NODECOUNT(true), BASE(true), NUMELEMENTS(true), ELEMENTLENGTH(true),
      INTERIOR() {
    if (construct) Construct();
}

void QV_SECTIONDATAMODEL::Construct() {
    QV_GENERICMODEL::Construct();
    MINNODECOUNT.AddProperty(this, "MINNODECOUNT", nullptr, QV_Direction_None, false);
    LOCATION.AddProperty(this, "LOCATION", "Absolute location of LH boundary of this section",
                         QV_Direction_None, false);
    SPACINGPREFERENCE.AddProperty(this, "SPACINGPREFERENCE",
                                  "Preferred spacing between nodes in this section",
                                  QV_Direction_None, false);
    SPACINGUSED.AddProperty(this, "SPACINGUSED",
                            "Actual spacing used between nodes in this section", QV_Direction_None,
                            false);
    LENGTH.AddProperty(this, "LENGTH", nullptr, QV_Direction_None, false);
    NODECOUNT.AddProperty(this, "NODECOUNT", nullptr, QV_Direction_None, false);
    BASE.AddProperty(this, "BASE", nullptr, QV_Direction_None, false);
    NUMELEMENTS.AddProperty(this, "NUMELEMENTS", nullptr, QV_Direction_None, false);
    ELEMENTLENGTH.AddProperty(this, "ELEMENTLENGTH", nullptr, QV_Direction_None, false);
    INTERIOR.AddProperty(this, "INTERIOR", nullptr, QV_Direction_None, false);
}

QV_DEFINE_GENERATED_COMMON(QV_SECTIONDATAMODEL, QV_GENERICMODEL, "Model SECTIONDATAMODEL\tV8.8")
QV_DEFINE_NO_ASSIGNMENTS(QV_SECTIONDATAMODEL, QV_GENERICMODEL)
QV_DEFINE_NO_EQUATIONS(QV_SECTIONDATAMODEL, QV_GENERICMODEL)
QV_DEFINE_CREATABLE(SECTIONDATAMODEL, QV_SECTIONDATAMODEL)
