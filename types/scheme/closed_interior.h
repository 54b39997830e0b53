// The closed interior of a domain: node 0, the domain's INTERIOR and its ENDNODE. It is the
// set of nodes along one direction at which the second derivatives along the others are
// defined, built as the host builds sets: a copy of INTERIOR, ENDNODE added to it, the copy
// joined to the one-element set [0..INT_MIN].
#pragma once

#include "host/qvcore.h"

#include <climits>

namespace norvane {

class ClosedInterior {
public:
    // ENDNODE joins the copy of INTERIOR, and that joins {0}.
    ClosedInterior(const QV_SetValue& interior, int endNode)
        : m_inner(interior), m_closed(0, INT_MIN), m_nodes(m_closed += (m_inner += endNode)) {}
    // A copy's reference would still name the original's set.
    ClosedInterior(const ClosedInterior&) = delete;
    ClosedInterior& operator=(const ClosedInterior&) = delete;

    // The set that the union returned, to walk or to combine.
    const SUValue& nodes() const { return m_nodes; }
    // The same set as a set value, to copy.
    const QV_SetValue& value() const { return m_closed; }

private:
    QV_IntSetValue m_inner;
    QV_IntSetValue m_closed;
    SUValue& m_nodes;
};

} // namespace norvane
