// Procedures of the library ended through their table as the host ends them, and the procedure's
// equation objects, which the library makes as objects of a host class, ended through theirs.
#pragma once

#include "host/platform_abi/table_entries.h"

namespace platform_abi {

// Destroys listed procedures through their table with flags 0 and 1, and their equation objects
// with flags 0 and 1; returns the number of objects destroyed so.
int CheckProcedureDeletion(const Modules& modules);

} // namespace platform_abi
