#include "types/connectivity/generic_port.h"

QV_GENERICPORT::QV_GENERICPORT(bool construct)
    : ISCONNECTED(true), ISLINKED(true), COMPONENTLIST() {
    if (construct) Construct();
}

void QV_GENERICPORT::Construct() {
    ISCONNECTED.AddProperty(this, "ISCONNECTED", nullptr, QV_Direction_None, false);
    ISLINKED.AddProperty(this, "ISLINKED", nullptr, QV_Direction_None, false);
    COMPONENTLIST.AddProperty(this, "COMPONENTLIST", nullptr, QV_Direction_None, false);
}

QV_COMPONENTLISTNAME* QV_GENERICPORT::ComponentList() {
    return &COMPONENTLIST;
}
QV_VarParamProp* QV_GENERICPORT::IsConnected() {
    return &ISCONNECTED;
}

QV_DEFINE_GENERATED_COMMON(QV_GENERICPORT, QV_PortTypeEx, "Port GENERICPORT\tV8.8")
QV_DEFINE_NO_ASSIGNMENTS(QV_GENERICPORT, QV_PortTypeEx)
QV_DEFINE_NO_EQUATIONS(QV_GENERICPORT, QV_PortTypeEx)
