// The JSON dump of one road: the grid and the distribution's equations in one object.
#pragma once

#include <string>

#include "host/driver/distribution_road.h"

// Writes to `path`, in one direction {"nodes", "interior", "sections", "groupBase",
// "parameters", "equations"}; in more, {"dims", "domains": {"x": {"nodes", "interior",
// "sections"}, "y": ...}, "groupBase", "parameters", "equations"}.
// False with `error` set when the file cannot be written.
bool WriteDump(const std::string& path, const DistributionRoad& road, std::string& error);
