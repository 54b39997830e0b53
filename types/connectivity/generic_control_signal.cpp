#include "types/connectivity/generic_control_signal.h"

QV_GENERICCONTROLSIGNAL::QV_GENERICCONTROLSIGNAL(bool construct)
    : USERNOTES(true), SOURCE(true), DEST(true) {
    if (construct) Construct();
}

void QV_GENERICCONTROLSIGNAL::Construct() {
    USERNOTES.AddProperty(this, "USERNOTES", nullptr, QV_Direction_None, false);
    SOURCE.AddProperty(this, "SOURCE", nullptr, QV_Direction_Input, false)->UnsetIsToBeExported();
    DEST.AddProperty(this, "DEST", nullptr, QV_Direction_Output, false)->UnsetIsToBeExported();
}

QV_DEFINE_GENERATED_COMMON(QV_GENERICCONTROLSIGNAL, QV_ModelTypeEx2,
                           "Model GENERICCONTROLSIGNAL\tV8.8")
QV_DEFINE_NO_ASSIGNMENTS(QV_GENERICCONTROLSIGNAL, QV_ModelTypeEx2)
QV_DEFINE_NO_EQUATIONS(QV_GENERICCONTROLSIGNAL, QV_ModelTypeEx2)
QV_DEFINE_CREATABLE(GENERICCONTROLSIGNAL, QV_GENERICCONTROLSIGNAL)
