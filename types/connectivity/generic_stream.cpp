#include "types/connectivity/generic_stream.h"

QV_GENERICSTREAM::QV_GENERICSTREAM(bool construct)
    : USERNOTES(true), COMPONENTLIST(), QV_UNCONNECTABLEINPUT(true), QV_UNCONNECTABLEOUTPUT(true),
      INPUTSIGNAL(true), OUTPUTSIGNAL(true) {
    if (construct) Construct();
}

void QV_GENERICSTREAM::Construct() {
    USERNOTES.AddProperty(this, "USERNOTES", nullptr, QV_Direction_None, false);
    COMPONENTLIST.AddProperty(this, "COMPONENTLIST", nullptr, QV_Direction_None, false);
    QV_UNCONNECTABLEINPUT
        .AddProperty(this, "QV_UNCONNECTABLEINPUT", nullptr, QV_Direction_Input, false)
        ->UnsetIsToBeExported();
    QV_UNCONNECTABLEOUTPUT
        .AddProperty(this, "QV_UNCONNECTABLEOUTPUT", nullptr, QV_Direction_Output, false)
        ->UnsetIsToBeExported();
    INPUTSIGNAL.AddProperty(this, "INPUTSIGNAL", nullptr, QV_Direction_Input, false)
        ->UnsetIsToBeExported();
    OUTPUTSIGNAL.AddProperty(this, "OUTPUTSIGNAL", nullptr, QV_Direction_Output, false)
        ->UnsetIsToBeExported();
}

QV_COMPONENTLISTNAME* QV_GENERICSTREAM::ComponentList() {
    return &COMPONENTLIST;
}

QV_DEFINE_GENERATED_COMMON(QV_GENERICSTREAM, QV_ModelTypeEx2, "Stream GENERICSTREAM\tV8.8")
QV_DEFINE_NO_ASSIGNMENTS(QV_GENERICSTREAM, QV_ModelTypeEx2)
QV_DEFINE_NO_EQUATIONS(QV_GENERICSTREAM, QV_ModelTypeEx2)
QV_DEFINE_CREATABLE(GENERICSTREAM, QV_GENERICSTREAM)
