// The deleting destructors that the library exports by their names: the vector form ("??_E")
// and the non-array form ("??_G") of every class with a virtual destructor.
#pragma once

#include "host/platform_abi/table_entries.h"

namespace platform_abi {

// Checks that no exported deleting destructor is the compiler's trap; returns how many it read.
int CheckNoTrappingDeletingDestructor(const Modules& modules);

// Calls the non-array form of every class by its name on one object that the class's exported
// constructor made, with flags 0, 1 and 3: the object is destroyed, and with bit 1 its block
// comes back once, bit 2 making no array of it. Returns the number of objects destroyed so.
int CheckNonArrayForms(const Modules& modules);

} // namespace platform_abi
