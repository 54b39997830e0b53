#include "types/connectivity/mi_connection_port.h"

QV_DEFINE_MULTIPORT_FLAVOUR(QV_QV_MICONNECTIONPORT)
