// The input-output flavour of QV_MULTIPORT<QV_CONTROLPORT>:
// nothing of its own but its virtual table.
#pragma once

#include "types/connectivity/multiport.h"

QV_MULTIPORT_FLAVOUR(QV_QV_MIOCONTROLPORT, QV_CONTROLPORT);

QV_PROPERTY_TEMPLATE_INSTANCES(QV_QV_MIOCONTROLPORT);
