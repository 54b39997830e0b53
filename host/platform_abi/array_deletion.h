// Destroys arrays of a library class, made with new[] as a host makes them, through the vector
// deleting destructor in their table with the flags of an array, and watches the order in which
// the elements go and the blocks that come back to the host's allocator.
#pragma once

#include "host/platform_abi/table_entries.h"

namespace platform_abi {

// Returns the number of arrays destroyed so.
int CheckArrayDeletion(const Modules& modules);

} // namespace platform_abi
