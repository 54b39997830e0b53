// The rule for every index set that a distribution hands to the host: a set along a direction
// holds only nodes of that direction's grid, the host's [0..ENDNODE]. A set built from a domain
// whose ENDNODE is below 0 (the sentinel -2147483648 of a node count beyond 32 bits, whose
// [0..ENDNODE] is node 0 alone) or whose INTERIOR names nodes beyond its ends loses the nodes
// that do not exist; the grid check refuses the equations of such a domain anyway.
#pragma once

#include "host/qvcore.h"

#include <climits>

namespace norvane {

// Drops the members of `nodes` that lie outside [0..end]. The members are ascending, so a set
// within the grid, as every set of a grid computed from its own inputs is, costs two
// comparisons and is left as it is.
inline void KeepGridNodes(QV_SetValue& nodes, int end) {
    const int last = end == INT_MIN ? 0 : end;
    const int count = nodes.SetSize();
    if (count == 0 || (nodes.Integer(0) >= 0 && nodes.Integer(count - 1) <= last)) return;
    QV_IntSetValue kept(nullptr);
    for (int k = 0; k < count; ++k) {
        const int node = nodes.Integer(k);
        if (node >= 0 && node <= last) kept += node;
    }
    nodes = kept;
}

// How an index set goes to the host: a range in the set-value form of QV_Value, a set that a
// union or an intersection built in the SUValue form.
enum class SetForm : unsigned char { Range, Combined };

// The tagged value of an index set: `nodes` kept to the grid of a direction whose ENDNODE is
// `end`, in `form`.
inline QV_Value GridSetValue(const QV_SetValue& nodes, int end, SetForm form, unsigned b,
                             unsigned a, int number) {
    QV_IntSetValue kept(nodes);
    KeepGridNodes(kept, end);
    if (form == SetForm::Combined) return QV_Value(static_cast<const SUValue&>(kept), b, a, number);
    return QV_Value(static_cast<const QV_SetValue&>(kept), b, a, number);
}

} // namespace norvane
