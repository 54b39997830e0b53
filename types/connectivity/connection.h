// The connection: a generated subclass of the generic connection that adds no property; it
// chains every operation to its parent and has its own id and exports.
#pragma once

#include "types/connectivity/generic_connection.h"

class NORVANE_CLASS QV_CONNECTION : public QV_GENERICCONNECTION {
    QV_GENERATED_TYPE(QV_CONNECTION);

    QV_GENERATED_COUNTERS;
};

QV_PROPERTY_TEMPLATE_INSTANCES(QV_CONNECTION);
