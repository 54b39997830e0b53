// Refuses a grid on which the equations would address a node they cannot use: one outside
// 0 .. ENDNODE of its direction or outside the section the equation belongs to (a section
// shorter than the method's stencil), sections that do not follow one another, or elements
// that do not tile a section whose element loop runs. A section of node count 0, its BASE node
// alone, fails only where an equation needs more of it. A domain computed from its own inputs
// passes; user-fixed node counts, polynomial points or interior sets can make it fail, and so
// can equations asked for before the domain's assignments have run.
#pragma once

#include "types/scheme/scheme_walk.h"

namespace norvane {

// What SetUpEquations returns when it refuses its equations: the host's status values, each
// naming the reason.
enum GridRefusal : int {
    GridAccepted = 0,
    RefusedNoDomain = -2,      // a domain reference is not linked
    RefusedSectionOrder = -3,  // the sections do not lie end to end from node 0 to ENDNODE
    RefusedUntiled = -4,       // elements do not tile a section that an element loop walks
    RefusedOutsideSection = -5 // an equation would address a node outside its section or grid
};

// Walks the scheme as the passes will, without registering anything.
GridRefusal CheckGrid(const ProgramSet& programs, SchemeInputs& in);

} // namespace norvane
