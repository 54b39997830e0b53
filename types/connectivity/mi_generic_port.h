// The input flavour of QV_MULTIPORT<QV_GENERICPORT>:
// nothing of its own but its virtual table.
#pragma once

#include "types/connectivity/multiport.h"

QV_MULTIPORT_FLAVOUR(QV_QV_MIGENERICPORT, QV_GENERICPORT);

QV_PROPERTY_TEMPLATE_INSTANCES(QV_QV_MIGENERICPORT);
