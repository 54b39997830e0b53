// What the procedure road prints, and its JSON dump.
#pragma once

#include <cstdio>
#include <string>

#include "host/driver/procedure_road.h"

void PrintProcedureRoad(std::FILE* out, const ProcedureOptions& options,
                        const ProcedureRoadResult& result);

// Writes {"equations", "interpolated", "status", "residuals", "jacobian", "x", "table",
// "mode"} to `path`; a number that is not finite, or a value the call did not give, as null.
// False with `error` set when the file cannot be written.
bool WriteProcedureDump(const std::string& path, const ProcedureOptions& options,
                        const ProcedureRoadResult& result, std::string& error);

// The routine's status in words: the host's status and what the failure flag means.
std::string ProcedureStatusText(const ProcedureRoadResult& result);
