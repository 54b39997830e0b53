#include "types/connectivity/generic_model.h"

QV_GENERICMODEL::QV_GENERICMODEL(bool construct)
    : USERNOTES(true), COMPONENTLIST(), INPUTSIGNAL(true), OUTPUTSIGNAL(true) {
    if (construct) Construct();
}

void QV_GENERICMODEL::Construct() {
    USERNOTES.AddProperty(this, "USERNOTES", nullptr, QV_Direction_None, false);
    COMPONENTLIST.AddProperty(this, "COMPONENTLIST", nullptr, QV_Direction_None, false);
    INPUTSIGNAL.AddProperty(this, "INPUTSIGNAL", nullptr, QV_Direction_Input, false)
        ->UnsetIsToBeExported();
    OUTPUTSIGNAL.AddProperty(this, "OUTPUTSIGNAL", nullptr, QV_Direction_Output, false)
        ->UnsetIsToBeExported();
}

QV_COMPONENTLISTNAME* QV_GENERICMODEL::ComponentList() {
    return &COMPONENTLIST;
}

QV_DEFINE_GENERATED_COMMON(QV_GENERICMODEL, QV_ModelTypeEx2, "Model GENERICMODEL\tV8.8")
QV_DEFINE_NO_ASSIGNMENTS(QV_GENERICMODEL, QV_ModelTypeEx2)
QV_DEFINE_NO_EQUATIONS(QV_GENERICMODEL, QV_ModelTypeEx2)
QV_DEFINE_CREATABLE(GENERICMODEL, QV_GENERICMODEL)
