// What must hold after the road of any request, whatever the user fixed: a refusal is one of
// the documented negative statuses and leaves no equation; accepted equations agree between
// the structure and the expression pass term by term, evaluate as well-formed expressions,
// and address only nodes that exist, of their direction's grid and of their own section.
#pragma once

#include "fuzz/road_run.h"

namespace norvane::fuzz {

// Aborts with a message at the first fault.
void CheckRoad(const RoadRun& road);

} // namespace norvane::fuzz
