#include "types/connectivity/mi_control_port.h"

QV_DEFINE_MULTIPORT_FLAVOUR(QV_QV_MICONTROLPORT)
