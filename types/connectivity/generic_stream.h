// The generic stream: an empty stream with user notes, a component list, two unconnectable
// control ports and the two control-signal ports.
#pragma once

#include "types/connectivity/control_port.h"

class NORVANE_CLASS QV_GENERICSTREAM : public QV_ModelTypeEx2 {
    QV_GENERATED_TYPE(QV_GENERICSTREAM);
    QV_COMPONENTLISTNAME* ComponentList() override;

    QV_STRINGPARAMETER USERNOTES;
    QV_COMPONENTLISTNAME COMPONENTLIST;
    QV_CONTROLPORT QV_UNCONNECTABLEINPUT;
    QV_CONTROLPORT QV_UNCONNECTABLEOUTPUT;
    QV_CONTROLPORT INPUTSIGNAL;
    QV_CONTROLPORT OUTPUTSIGNAL;
    QV_GENERATED_COUNTERS;
};

QV_PROPERTY_TEMPLATE_INSTANCES(QV_GENERICSTREAM);
