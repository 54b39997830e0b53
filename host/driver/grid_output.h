// The node grid as text for a person and as JSON for programs.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "host/driver/domain_grid.h"
#include "host/driver/options.h"

// How a number is written. Plain: as short as possible, "null" when not finite (JSON has no
// infinity or NaN). Real: the same digits, with ".0" appended when they would read as an
// integer ("2.0", "-0.0"; "0.5" and "1e-05" stay), and "inf", "-inf" or "nan" when not finite.
enum class NumberForm { Plain, Real };

// The shortest "%.<p>g" text of `x` that reads back as the same double, in the given form.
std::string ShortestText(double x, NumberForm form = NumberForm::Plain);

// The spacing of each direction: one number when they agree ("0.0625"), else one per direction
// separated by commas ("0.0625,0.1").
std::string SpacingText(const std::vector<double>& spacings);
std::string SpacingText(const DriverOptions& options);

// The grid as a line of the domain's inputs headed by `title` ("LENGTHDOMAIN"), a line on what
// the library made of inputs that ask for no ordinary grid (no section, a length or spacing of
// 0 or below: "0 sections: the grid is node 0 alone"), a table of
// sections, the interior nodes and one line per node. Of more than 40 sections or nodes only
// the first and the last 10 are listed, and of more than 16 runs of interior nodes the first 8
// and the last 2.
void PrintGrid(std::FILE* out, const std::string& title, const DomainOptions& options,
               const DomainGrid& grid);

// Writes the grid's members of a JSON object, "nodes" (null for a node without a location),
// "interior" and "sections", each on lines of their own indented by `indent`; no comma after
// the last one.
void WriteGridMembers(std::FILE* file, const DomainGrid& grid, const std::string& indent = "  ");
