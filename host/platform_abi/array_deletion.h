// Destroys arrays of library classes, made with new[] as a host makes them, through the vector
// deleting destructor with the flags of an array, and watches the order in which the elements go
// and the blocks that come back to the host's allocator: domains and procedures through their
// table, index containers (abstract classes) through the deleting destructor that the library
// exports by the class's name.
#pragma once

#include "host/platform_abi/table_entries.h"

namespace platform_abi {

// Returns the number of arrays destroyed so.
int CheckArrayDeletion(const Modules& modules);

} // namespace platform_abi
