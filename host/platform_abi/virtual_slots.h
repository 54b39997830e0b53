// Reads each class's table of virtual operations from the library's exports and checks every
// slot by its number against the host's arrangement.
#pragma once

#include "host/platform_abi/table_entries.h"

namespace platform_abi {

// Returns the number of slots checked.
int CheckVirtualSlots(const Modules& modules);

} // namespace platform_abi
