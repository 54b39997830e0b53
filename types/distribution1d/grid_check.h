// Refuses a grid on which the scheme would address a node that the equations cannot use: one
// outside 0 .. ENDNODE or outside the section the equation belongs to (a section shorter than
// the method's stencil), sections that do not follow one another, or elements that do not
// tile their section. A domain computed from its own inputs always passes; user-fixed node
// counts or polynomial points can make it fail.
#pragma once

#include <string>

#include "types/distribution1d/domain_inputs.h"

namespace norvane {

// Empty when the grid is sound, else why it is not.
std::string CheckGrid1D(DomainInputs& grid);

} // namespace norvane
