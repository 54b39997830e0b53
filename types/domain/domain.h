// A domain: one spatial coordinate cut into sections and nodes. It holds the user's inputs
// (length, number of sections, preferred spacing, discretisation method) and the grid that its
// assignments compute from them (section records, node locations, interior nodes, last node).
// It has no equations. The distributions reach a domain through QV_External<QV_DOMAIN>.
#pragma once

#include "framework/generated_type.h"
#include "types/connectivity/control_port.h"
#include "types/domain/domain_parameters.h"
#include "types/domain/section_data_model.h"

class NORVANE_CLASS QV_DOMAIN : public QV_ModelTypeEx2 {
    QV_GENERATED_TYPE(QV_DOMAIN);

    // Used by the grid assignments (node_grid.cpp).
    // Sum of SECTION(j).NODECOUNT over j = 1 .. i - 1.
    double Sigma84732928(QV_IntegerSetIter& i);
    // Sum of SECTION(j).NODECOUNT over j = 1 .. NUMSECTIONS (both: the total node count).
    double Sigma84739448();
    double Sigma84740928();
    // Union of SECTION(j).INTERIOR over j = 1 .. NUMSECTIONS.
    QV_SetValue& UnionFn84740128();
    // Inner points of every element of section i, without the element ends.
    QV_SetValue& UnionFn84745888(QV_IntegerSetIter& i);

    QV_Virtual<QV_ARRAY_I<QV_SECTIONDATAMODEL, QV_SECTIONDATAMODEL>> SECTION;
    QV_INTEGERSET QV_SECTION_SET1;
    QV_Virtual<QV_REALPARAMETER> LENGTH;
    QV_Virtual<QV_REALPARAMETER> SPACINGPREFERENCE;
    QV_Virtual<QV_ARRAY_I<QV_REALPARAMETER, QV_REALPARAMETER>> VALUE; // node locations
    QV_INTEGERSET QV_VALUE_SET1;
    QV_STRINGPARAMETER USERNOTES;
    QV_CONTROLPORT INPUTSIGNAL;
    QV_CONTROLPORT OUTPUTSIGNAL;
    QV_DISCRETIZATIONMETHODPARAM_DOMAIN DISCRETIZATIONMETHOD;
    QV_NUMSECTIONSPARAM_DOMAIN NUMSECTIONS;
    QV_INTEGERPARAMETER MINNODECOUNT;
    QV_POLYPOINTSPARAM_DOMAIN NUMPOLYPOINTS;
    QV_ARRAY_I<QV_REALPARAMETER, QV_REALPARAMETER> POLYPOINT; // point fractions in an element
    QV_INTEGERSET QV_POLYPOINT_SET1;
    QV_INTEGERPARAMETER HIGHESTORDERDERIVATIVE;
    QV_INTEGERSET INTERIOR;
    QV_INTEGERPARAMETER ENDNODE; // the last node number
    QV_GENERATED_COUNTERS;
};

QV_PROPERTY_TEMPLATE_INSTANCES(QV_DOMAIN);
