// The distribution's equations as text for a person: counts per group and sub-block.
#pragma once

#include <cstdio>

#include "host/driver/distribution_road.h"

// The distribution's settings, the counts of the two passes, whether they agree, and the
// equations per group split by sub-block: in one direction a column per sub-block; in more, a
// line per sub-block of each group, labelled with the block the group holds ("CFD4 x"), and
// the totals per sub-block.
void PrintEquationSummary(std::FILE* out, const DistributionRoad& road);
