// The record of one section of a domain: where it starts, how long it is, how many node
// intervals and elements it has, which node it starts at and which of its nodes are interior.
// The domain's assignments fill it; it computes nothing itself. It is the element type of the
// domain's SECTION array and a creatable model type of its own.
#pragma once

#include "types/connectivity/generic_model.h"

class NORVANE_CLASS QV_SECTIONDATAMODEL : public QV_GENERICMODEL {
    QV_GENERATED_TYPE(QV_SECTIONDATAMODEL);

    QV_External<QV_INTEGERPARAMETER> MINNODECOUNT;
    QV_Virtual<QV_REALPARAMETER> LOCATION;          // coordinate of the left end
    QV_Virtual<QV_REALPARAMETER> SPACINGPREFERENCE; // the domain's preferred spacing
    QV_Virtual<QV_REALPARAMETER> SPACINGUSED;       // LENGTH / NODECOUNT
    QV_REALPARAMETER LENGTH;
    QV_INTEGERPARAMETER NODECOUNT;   // node intervals, which is also the nodes owned
    QV_INTEGERPARAMETER BASE;        // the node at the left end
    QV_INTEGERPARAMETER NUMELEMENTS; // NODECOUNT / (polynomial points + 1), truncated
    QV_REALPARAMETER ELEMENTLENGTH;  // one spacing, or a whole element for collocation
    QV_INTEGERSET INTERIOR;          // the section's interior node numbers
    QV_GENERATED_COUNTERS;
};

QV_PROPERTY_TEMPLATE_INSTANCES(QV_SECTIONDATAMODEL);

QV_ARRAY_TEMPLATE_INSTANCES(QV_ARRAY_I, QV_SECTIONDATAMODEL);
