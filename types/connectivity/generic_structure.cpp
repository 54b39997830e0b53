#include "types/connectivity/generic_structure.h"

QV_GENERICSTRUCTURE::QV_GENERICSTRUCTURE(bool construct) : USERNOTES(true), COMPONENTLIST() {
    if (construct) Construct();
}

void QV_GENERICSTRUCTURE::Construct() {
    USERNOTES.AddProperty(this, "USERNOTES", nullptr, QV_Direction_None, false);
    COMPONENTLIST.AddProperty(this, "COMPONENTLIST", nullptr, QV_Direction_None, false);
}

QV_COMPONENTLISTNAME* QV_GENERICSTRUCTURE::ComponentList() {
    return &COMPONENTLIST;
}

QV_DEFINE_GENERATED_COMMON(QV_GENERICSTRUCTURE, QV_StructureTypeEx,
                           "Structure GENERICSTRUCTURE\tV8.8")
QV_DEFINE_NO_ASSIGNMENTS(QV_GENERICSTRUCTURE, QV_StructureTypeEx)
QV_DEFINE_NO_EQUATIONS(QV_GENERICSTRUCTURE, QV_StructureTypeEx)
QV_DEFINE_CREATABLE(GENERICSTRUCTURE, QV_GENERICSTRUCTURE)
