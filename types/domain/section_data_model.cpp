#include "types/domain/section_data_model.h"

QV_SECTIONDATAMODEL::QV_SECTIONDATAMODEL(bool construct)
    : QV_GENERICMODEL(false), MINNODECOUNT(), LOCATION(), SPACINGPREFERENCE(), SPACINGUSED(),
      LENGTH(true), NODECOUNT(true), BASE(true), NUMELEMENTS(true), ELEMENTLENGTH(true),
      INTERIOR(true) {
    if (construct) Construct();
}

void QV_SECTIONDATAMODEL::Construct() {
    QV_GENERICMODEL::Construct();
    MINNODECOUNT.AddProperty(this, "MINNODECOUNT", nullptr, 0, false);
    LOCATION.AddProperty(this, "LOCATION", "Absolute location of LH boundary of this section", 0,
                         false);
    SPACINGPREFERENCE.AddProperty(this, "SPACINGPREFERENCE",
                                  "Preferred spacing between nodes in this section", 0, false);
    SPACINGUSED.AddProperty(this, "SPACINGUSED",
                            "Actual spacing used between nodes in this section", 0, false);
    LENGTH.AddProperty(this, "LENGTH", nullptr, 0, false);
    NODECOUNT.AddProperty(this, "NODECOUNT", nullptr, 0, false);
    BASE.AddProperty(this, "BASE", nullptr, 0, false);
    NUMELEMENTS.AddProperty(this, "NUMELEMENTS", nullptr, 0, false);
    ELEMENTLENGTH.AddProperty(this, "ELEMENTLENGTH", nullptr, 0, false);
    INTERIOR.AddProperty(this, "INTERIOR", nullptr, 0, false);
}

QV_DEFINE_GENERATED_COMMON(QV_SECTIONDATAMODEL, QV_GENERICMODEL, "Model SECTIONDATAMODEL\tV8.8")
QV_DEFINE_NO_ASSIGNMENTS(QV_SECTIONDATAMODEL, QV_GENERICMODEL)
QV_DEFINE_NO_EQUATIONS(QV_SECTIONDATAMODEL, QV_GENERICMODEL)
QV_DEFINE_CREATABLE(SECTIONDATAMODEL, QV_SECTIONDATAMODEL)
