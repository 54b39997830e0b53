// qvhost --procedure: the procedure road, printed, and dumped when --dump asks.
#pragma once

#include "host/driver/model_library.h"
#include "host/driver/options.h"

// The exit status: 0 evaluated, 1 the procedure could not be reached or reported failure.
int RunProcedureCommand(const ModelLibrary& library, const DriverOptions& options);
