// The residual study as text for a person.
#pragma once

#include <cstdio>

#include "host/driver/residual_study.h"

// The largest |residual| of each sub-block of the distribution `kind` at each spacing, and the
// observed orders.
void PrintResidualStudy(std::FILE* out, const DistributionKind& kind, const ResidualStudy& study);
