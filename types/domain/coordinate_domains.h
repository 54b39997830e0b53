// The length domain and the angle domain: a domain under another type identity. Each computes
// exactly the grid of QV_DOMAIN, its assignments tagged one level lower than the caller's.
#pragma once

#include "types/domain/domain.h"

class NORVANE_CLASS QV_LENGTHDOMAIN : public QV_DOMAIN {
    QV_GENERATED_TYPE(QV_LENGTHDOMAIN);
    QV_GENERATED_COUNTERS;
};

class NORVANE_CLASS QV_ANGLEDOMAIN : public QV_DOMAIN {
    QV_GENERATED_TYPE(QV_ANGLEDOMAIN);
    QV_GENERATED_COUNTERS;
};

QV_PROPERTY_TEMPLATE_INSTANCES(QV_LENGTHDOMAIN);
QV_PROPERTY_TEMPLATE_INSTANCES(QV_ANGLEDOMAIN);
