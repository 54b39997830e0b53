#include "types/connectivity/generic_connection.h"

QV_GENERICCONNECTION::QV_GENERICCONNECTION(bool construct)
    : USERNOTES(true), SOURCE(true), DEST(true) {
    if (construct) Construct();
}

void QV_GENERICCONNECTION::Construct() {
    USERNOTES.AddProperty(this, "USERNOTES", nullptr, QV_Direction_None, false);
    SOURCE.AddProperty(this, "SOURCE", nullptr, QV_Direction_Input, false)->HostPortType(4);
    DEST.AddProperty(this, "DEST", nullptr, QV_Direction_Output, false)->HostPortType(4);
}

QV_DEFINE_GENERATED_COMMON(QV_GENERICCONNECTION, QV_ModelTypeEx2, "Model GENERICCONNECTION\tV8.8")
QV_DEFINE_NO_ASSIGNMENTS(QV_GENERICCONNECTION, QV_ModelTypeEx2)
QV_DEFINE_NO_EQUATIONS(QV_GENERICCONNECTION, QV_ModelTypeEx2)
QV_DEFINE_CREATABLE(GENERICCONNECTION, QV_GENERICCONNECTION)
