// The generic structure: an empty structure with user notes and a component list. It is the
// structure type of the global-structure reference QV_GLOBALSTRUCTUREREFNAME.
#pragma once

#include "framework/generated_type.h"

class NORVANE_CLASS QV_GENERICSTRUCTURE : public QV_StructureTypeEx {
    QV_GENERATED_TYPE(QV_GENERICSTRUCTURE);
    QV_COMPONENTLISTNAME* ComponentList() override;

    QV_STRINGPARAMETER USERNOTES;
    QV_COMPONENTLISTNAME COMPONENTLIST;
    QV_GENERATED_COUNTERS;
};

QV_PROPERTY_TEMPLATE_INSTANCES(QV_GENERICSTRUCTURE);

QV_LIBRARY_INSTANCE QV_GLOBALSTRUCTUREREFNAME<QV_GENERICSTRUCTURE>;
