// What the procedure road prints, and its JSON dump.
#pragma once

#include <cstdio>
#include <string>

#include "host/driver/procedure_road.h"

void PrintProcedureRoad(std::FILE* out, const ProcedureOptions& options,
                        const ProcedureRoadResult& result);

// Writes {"equations", "calls" (per call its name, status and failure flag, null when the host
// judged no call of the routine), "interpolated", "residuals", "jacobian" (null when the
// Jacobian failed), "x", "table", "mode"} to `path`; a number that is not finite, or a value
// the call did not give, as null. False with `error` set when the file cannot be written.
bool WriteProcedureDump(const std::string& path, const ProcedureOptions& options,
                        const ProcedureRoadResult& result, std::string& error);

// The first call that failed, in words: its status and what the failure flag means; empty
// when none failed.
std::string ProcedureFailureText(const ProcedureRoadResult& result);
