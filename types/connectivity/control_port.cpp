#include "types/connectivity/control_port.h"

QV_CONTROLPORT::QV_CONTROLPORT(bool construct) {
    if (construct) Construct();
}

void QV_CONTROLPORT::Construct() {}

QV_DEFINE_GENERATED_COMMON(QV_CONTROLPORT, QV_PortTypeEx, "Port CONTROLPORT\tV8.8")
QV_DEFINE_NO_ASSIGNMENTS(QV_CONTROLPORT, QV_PortTypeEx)
QV_DEFINE_NO_EQUATIONS(QV_CONTROLPORT, QV_PortTypeEx)
