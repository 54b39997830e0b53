// Refuses a grid on which the equations would address a node they cannot use: one outside
// 0 .. ENDNODE or outside the section the equation belongs to (a section shorter than the
// method's stencil), sections that do not follow one another, or elements that do not tile a
// section whose element loop runs. A domain computed from its own inputs passes; user-fixed
// node counts or polynomial points can make it fail.
#pragma once

#include "types/distribution1d/domain_inputs.h"

namespace norvane {

// What SetUpEquations returns when it refuses its equations: the host's status values, each
// naming the reason.
enum GridRefusal : int {
    GridAccepted = 0,
    RefusedNoDomain = -2,      // XDOMAIN is not linked
    RefusedSectionOrder = -3,  // a section does not start where the one before ends
    RefusedUntiled = -4,       // elements do not tile a section that an element loop walks
    RefusedOutsideSection = -5 // an equation would address a node outside its section
};

GridRefusal CheckGrid1D(DomainInputs& grid);

} // namespace norvane
