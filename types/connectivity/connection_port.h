// The port at each end of a connection model. It has no properties of its own; the host's
// port part holds its direction, host port type and connection.
#pragma once

#include "framework/generated_type.h"

class NORVANE_CLASS QV_CONNECTIONPORT : public QV_PortTypeEx {
    QV_GENERATED_TYPE(QV_CONNECTIONPORT);

    QV_GENERATED_COUNTERS;
};

QV_PROPERTY_TEMPLATE_INSTANCES(QV_CONNECTIONPORT);
QV_ARRAY_TEMPLATE_INSTANCES(QV_ARRAY_S, QV_CONNECTIONPORT);
