// The node grid as text for a person and as JSON for programs.
#pragma once

#include <cstdio>
#include <string>

#include "host/driver/domain_grid.h"
#include "host/driver/options.h"

// The shortest "%.<p>g" text of `x` that reads back as the same double; "null" when x is not
// finite (JSON has no infinity or NaN).
std::string ShortestText(double x);

// The grid as a table of sections, the interior nodes and one line per node.
void PrintGrid(std::FILE* out, const DriverOptions& options, const DomainGrid& grid);

// Writes the grid to `path` as JSON: "nodes" (null for a node without a location),
// "interior" and "sections". False with `error` set when the file cannot be written.
bool WriteGridJson(const std::string& path, const DomainGrid& grid, std::string& error);
