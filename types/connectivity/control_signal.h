// The control signal: a generated subclass of the generic control signal that adds no
// property; it chains every operation to its parent and has its own id and exports.
#pragma once

#include "types/connectivity/generic_control_signal.h"

class NORVANE_CLASS QV_CONTROLSIGNAL : public QV_GENERICCONTROLSIGNAL {
    QV_GENERATED_TYPE(QV_CONTROLSIGNAL);

    QV_GENERATED_COUNTERS;
};

QV_PROPERTY_TEMPLATE_INSTANCES(QV_CONTROLSIGNAL);
