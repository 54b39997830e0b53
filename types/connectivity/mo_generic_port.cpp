#include "types/connectivity/mo_generic_port.h"

QV_DEFINE_MULTIPORT_FLAVOUR(QV_QV_MOGENERICPORT)
