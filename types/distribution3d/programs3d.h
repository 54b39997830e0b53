// The equation scheme of the three-dimensional distribution: its start planes and the X, Y and
// Z blocks of the ten methods, in registration order.
#pragma once

#include "types/scheme/block_program.h"

namespace norvane {

const ProgramSet& Programs3D();

} // namespace norvane
