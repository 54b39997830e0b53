// The objects of host classes that the library makes, each of the library's class
// norvane::LibraryOwned<T> (array elements and a type-replaceable property's default), ended
// through their table as the host ends them.
#pragma once

#include "host/platform_abi/table_entries.h"

namespace platform_abi {

// Ends each with flags 0 and 1 and checks that its block goes back to the allocator that made it
// (the library's, which takes it from the host's); returns the number of objects destroyed so.
int CheckHostClassObjects(const Modules& modules);

} // namespace platform_abi
