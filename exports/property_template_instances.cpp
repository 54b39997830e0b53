// The property templates over every type of the library, emitted here so that the library
// exports them: a reference (QV_External) and a type-replaceable property (QV_Virtual) for
// each model, stream, structure, port, parameter, multiport and array type, the arrays
// themselves, the reference to a global structure, and the two over host parameters that the
// domain and the section record hold as members.
#include "types/connectivity/connection.h"
#include "types/connectivity/connection_port.h"
#include "types/connectivity/control_signal.h"
#include "types/connectivity/generic_port.h"
#include "types/connectivity/generic_stream.h"
#include "types/connectivity/generic_structure.h"
#include "types/connectivity/mi_connection_port.h"
#include "types/connectivity/mi_control_port.h"
#include "types/connectivity/mi_generic_port.h"
#include "types/connectivity/mio_connection_port.h"
#include "types/connectivity/mio_control_port.h"
#include "types/connectivity/mio_generic_port.h"
#include "types/connectivity/mo_connection_port.h"
#include "types/connectivity/mo_control_port.h"
#include "types/connectivity/mo_generic_port.h"
#include "types/distribution1d/distribution1d.h"
#include "types/distribution2d/distribution2d.h"
#include "types/distribution3d/distribution3d.h"
#include "types/domain/coordinate_domains.h"

#define QV_PROPERTY_TEMPLATES(T)                                                                   \
    template class NORVANE_CLASS QV_External<T>;                                                   \
    template class NORVANE_CLASS QV_Virtual<T>;

// Arrays: the array class itself, then its two property templates.
#define QV_ARRAY_TEMPLATES(Array, T)                                                               \
    template class NORVANE_CLASS Array<T, T>;                                                      \
    QV_PROPERTY_TEMPLATES(Array<T QV_COMMA T>)
#define QV_COMMA ,

QV_PROPERTY_TEMPLATES(QV_GENERICMODEL)
QV_PROPERTY_TEMPLATES(QV_SECTIONDATAMODEL)
QV_PROPERTY_TEMPLATES(QV_DOMAIN)
QV_PROPERTY_TEMPLATES(QV_LENGTHDOMAIN)
QV_PROPERTY_TEMPLATES(QV_ANGLEDOMAIN)
QV_PROPERTY_TEMPLATES(QV_GENERICSTRUCTURE)
QV_PROPERTY_TEMPLATES(QV_GENERICSTREAM)
QV_PROPERTY_TEMPLATES(QV_GENERICCONTROLSIGNAL)
QV_PROPERTY_TEMPLATES(QV_CONTROLSIGNAL)
QV_PROPERTY_TEMPLATES(QV_GENERICCONNECTION)
QV_PROPERTY_TEMPLATES(QV_CONNECTION)
QV_PROPERTY_TEMPLATES(QV_DISTRIBUTION1D)
QV_PROPERTY_TEMPLATES(QV_DISTRIBUTION2D)
QV_PROPERTY_TEMPLATES(QV_DISTRIBUTION3D)

QV_PROPERTY_TEMPLATES(QV_CONTROLPORT)
QV_PROPERTY_TEMPLATES(QV_GENERICPORT)
QV_PROPERTY_TEMPLATES(QV_CONNECTIONPORT)

QV_PROPERTY_TEMPLATES(QV_ANGLEPARAMETER)
QV_PROPERTY_TEMPLATES(QV_LENGTHPARAMETER)
QV_PROPERTY_TEMPLATES(QV_DISCRETIZATIONMETHODPARAM_DOMAIN)
QV_PROPERTY_TEMPLATES(QV_NUMSECTIONSPARAM_DOMAIN)
QV_PROPERTY_TEMPLATES(QV_POLYPOINTSPARAM_DOMAIN)

template class NORVANE_CLASS QV_External<QV_INTEGERPARAMETER>;
template class NORVANE_CLASS QV_Virtual<QV_REALPARAMETER>;

QV_PROPERTY_TEMPLATES(QV_QV_MICONTROLPORT)
QV_PROPERTY_TEMPLATES(QV_QV_MOCONTROLPORT)
QV_PROPERTY_TEMPLATES(QV_QV_MIOCONTROLPORT)
QV_PROPERTY_TEMPLATES(QV_QV_MIGENERICPORT)
QV_PROPERTY_TEMPLATES(QV_QV_MOGENERICPORT)
QV_PROPERTY_TEMPLATES(QV_QV_MIOGENERICPORT)
QV_PROPERTY_TEMPLATES(QV_QV_MICONNECTIONPORT)
QV_PROPERTY_TEMPLATES(QV_QV_MOCONNECTIONPORT)
QV_PROPERTY_TEMPLATES(QV_QV_MIOCONNECTIONPORT)

QV_ARRAY_TEMPLATES(QV_ARRAY_S, QV_CONTROLPORT)
QV_ARRAY_TEMPLATES(QV_ARRAY_S, QV_GENERICPORT)
QV_ARRAY_TEMPLATES(QV_ARRAY_S, QV_CONNECTIONPORT)
QV_ARRAY_TEMPLATES(QV_ARRAY_I, QV_REALPARAMETER)
QV_ARRAY_TEMPLATES(QV_ARRAY_I, QV_SECTIONDATAMODEL)
QV_ARRAY_TEMPLATES(QV_ARRAY_I, QV_PARTIALDERIVATIVE)
QV_ARRAY_TEMPLATES(QV_ARRAY_I, QV_REALVARIABLE)
QV_ARRAY_TEMPLATES(QV_ARRAY_II, QV_PARTIALDERIVATIVE)
QV_ARRAY_TEMPLATES(QV_ARRAY_II, QV_REALVARIABLE)
QV_ARRAY_TEMPLATES(QV_ARRAY_III, QV_PARTIALDERIVATIVE)
QV_ARRAY_TEMPLATES(QV_ARRAY_III, QV_REALVARIABLE)

template class NORVANE_CLASS QV_GLOBALSTRUCTUREREFNAME<QV_GENERICSTRUCTURE>;
