// The equation scheme of the two-dimensional distribution: its start groups and the X and Y
// blocks of the ten methods, in registration order.
#pragma once

#include "types/scheme/block_program.h"

namespace norvane {

const ProgramSet& Programs2D();

} // namespace norvane
