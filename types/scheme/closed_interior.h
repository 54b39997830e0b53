// The closed interior of a domain: node 0, the domain's INTERIOR and its ENDNODE. It is the
// set of nodes along one direction at which the second derivatives along the others are
// defined, built as the host builds sets: a copy of INTERIOR, ENDNODE added to it, the copy
// joined to the one-element set [0..INT_MIN].
#pragma once

#include "host/qvcore.h"

#include <climits>

namespace norvane {

inline QV_IntSetValue ClosedInterior(const QV_SetValue& interior, int endNode) {
    QV_IntSetValue inner(interior);
    inner += endNode;
    QV_IntSetValue closed(0, INT_MIN);
    closed += inner;
    // A set value is copied through its constructor from a QV_SetValue.
    return QV_IntSetValue(static_cast<const QV_SetValue&>(closed));
}

} // namespace norvane
