// The distribution's equations as JSON members for programs (group base, parameters,
// equations).
#pragma once

#include <cstdio>

#include "host/driver/distribution_road.h"

// Writes the equations' members of a JSON object, each on lines of its own indented by two
// blanks, no comma after the last:
//   "groupBase"   the group base of the distribution
//   "parameters"  name -> value of every leaf that is not an element of the distribution's
//                 arrays, keyed by its path ("SECTION(1).ELEMENTLENGTH"); with more than one
//                 direction the path starts with the reference of the leaf's domain
//                 ("YDOMAIN.SECTION(1).ELEMENTLENGTH")
//   "equations"   in registration order, {"name", "group", "prefix", "nonzeros"}: the absolute
//                 group, the tokens in the order they were added, and the variables of the
//                 structure record of the same number
// Tokens: "+" "-" "*" "/" "sq" "op1" (another operator code n as "op<n>"), integers as their
// decimal text, reals as the shortest text that reads back as the same double with a "." or
// an exponent, array elements by path ("VALUE(3)", "IDXDY(1,2)"), other leaves by their
// "parameters" name.
void WriteEquationMembers(std::FILE* file, const DistributionRoad& road);
