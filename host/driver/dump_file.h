// The JSON dump of one road: the grid and the distribution's equations in one object.
#pragma once

#include <string>

#include "host/driver/distribution_road.h"

// Writes {"nodes", "interior", "sections", "groupBase", "parameters", "equations"} to `path`.
// False with `error` set when the file cannot be written.
bool WriteDump(const std::string& path, const DistributionRoad& road, std::string& error);
