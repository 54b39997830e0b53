// The generic connection: joins its SOURCE and DEST connection ports. It is the parent of
// QV_CONNECTION.
#pragma once

#include "types/connectivity/connection_port.h"

class NORVANE_CLASS QV_GENERICCONNECTION : public QV_ModelTypeEx2 {
    QV_GENERATED_TYPE(QV_GENERICCONNECTION);

    QV_STRINGPARAMETER USERNOTES;
    QV_CONNECTIONPORT SOURCE;
    QV_CONNECTIONPORT DEST;
    QV_GENERATED_COUNTERS;
};

QV_PROPERTY_TEMPLATE_INSTANCES(QV_GENERICCONNECTION);
