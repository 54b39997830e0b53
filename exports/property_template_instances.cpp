// The property templates over every type of the library, made here so that the library
// exports them: a reference (QV_External) and a type-replaceable property (QV_Virtual) for
// each model, stream, structure, port, parameter, multiport and array type, the arrays
// themselves, the reference to a global structure, and those over the host's parameters and
// variables. Each header names the instances over its own classes (QV_LIBRARY_INSTANCE);
// included here, those names define them.
#define NORVANE_DEFINE_INSTANCES
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
