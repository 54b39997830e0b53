// The generic model: an empty model with user notes, a component list and the two control
// ports. It is also the parent of the section record.
#pragma once

#include "types/connectivity/control_port.h"

class NORVANE_CLASS QV_GENERICMODEL : public QV_ModelTypeEx2 {
    QV_GENERATED_TYPE(QV_GENERICMODEL);
    QV_COMPONENTLISTNAME* ComponentList() override;

    QV_STRINGPARAMETER USERNOTES;
    QV_COMPONENTLISTNAME COMPONENTLIST;
    QV_CONTROLPORT INPUTSIGNAL;
    QV_CONTROLPORT OUTPUTSIGNAL;
    QV_GENERATED_COUNTERS;
};

QV_PROPERTY_TEMPLATE_INSTANCES(QV_GENERICMODEL);
