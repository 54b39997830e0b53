// The generic control signal: carries a control signal from its SOURCE control port to its
// DEST control port. It is the parent of QV_CONTROLSIGNAL.
#pragma once

#include "types/connectivity/control_port.h"

class NORVANE_CLASS QV_GENERICCONTROLSIGNAL : public QV_ModelTypeEx2 {
    QV_GENERATED_TYPE(QV_GENERICCONTROLSIGNAL);

    QV_STRINGPARAMETER USERNOTES;
    QV_CONTROLPORT SOURCE;
    QV_CONTROLPORT DEST;
    QV_GENERATED_COUNTERS;
};

QV_PROPERTY_TEMPLATE_INSTANCES(QV_GENERICCONTROLSIGNAL);
