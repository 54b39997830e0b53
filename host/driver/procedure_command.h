// qvhost --procedure: the procedure road, printed, and dumped when --dump asks.
#pragma once

#include "host/driver/model_library.h"
#include "host/driver/options.h"

// The exit status: 0 every call succeeded, 1 the procedure could not be reached or a call
// failed.
int RunProcedureCommand(const ModelLibrary& library, const DriverOptions& options);
