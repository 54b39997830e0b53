// The generic port: a port with a connection flag, a link flag and a component list. It
// answers the host's ComponentList and IsConnected with its own members.
#pragma once

#include "framework/generated_type.h"

class NORVANE_CLASS QV_GENERICPORT : public QV_PortTypeEx {
    QV_GENERATED_TYPE(QV_GENERICPORT);
    QV_COMPONENTLISTNAME* ComponentList() override;
    QV_VarParamProp* IsConnected() override;

    QV_FalseLOGICALPARAMETER ISCONNECTED;
    QV_FalseLOGICALPARAMETER ISLINKED;
    QV_COMPONENTLISTNAME COMPONENTLIST;
    QV_GENERATED_COUNTERS;
};

QV_PROPERTY_TEMPLATE_INSTANCES(QV_GENERICPORT);
QV_ARRAY_TEMPLATE_INSTANCES(QV_ARRAY_S, QV_GENERICPORT);
