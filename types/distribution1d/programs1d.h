// The equation scheme of the one-dimensional distribution: its start group and the ten method
// blocks along x, in registration order.
#pragma once

#include "types/scheme/block_program.h"

namespace norvane {

const ProgramSet& Programs1D();

} // namespace norvane
