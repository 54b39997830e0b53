// The port through which control signals enter and leave a model. It has no properties of
// its own; the host's port part holds its direction and connection.
#pragma once

#include "framework/generated_type.h"

class NORVANE_CLASS QV_CONTROLPORT : public QV_PortTypeEx {
    QV_GENERATED_TYPE(QV_CONTROLPORT);

    QV_GENERATED_COUNTERS;
};

QV_PROPERTY_TEMPLATE_INSTANCES(QV_CONTROLPORT);
QV_ARRAY_TEMPLATE_INSTANCES(QV_ARRAY_S, QV_CONTROLPORT);
