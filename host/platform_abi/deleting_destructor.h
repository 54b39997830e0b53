// Destroys objects made as a host makes them through the deleting destructor in their table,
// with each value of its flags, and watches the host's allocator.
#pragma once

#include "host/platform_abi/table_entries.h"

namespace platform_abi {

// Returns the number of objects destroyed so.
int CheckDeletingDestructors(const Modules& modules);

} // namespace platform_abi
