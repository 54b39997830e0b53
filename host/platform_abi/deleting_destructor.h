// Destroys objects made as a host makes them through the deleting destructor in their table and
// watches the host's allocator.
#pragma once

#include <string>

#include "host/platform_abi/table_entries.h"

class QV_ModelType;

namespace platform_abi {

// The flags of a single object: 0 destroys it, 1 destroys and frees it.
inline constexpr unsigned SingleObjectFlags[] = {0, 1};

// Calls the deleting destructor in the table of `object` with `flags`: bit 1 frees the memory,
// bit 2 takes `object` as the first element of an array made with new[].
void DeleteThroughTable(void* object, unsigned flags);

// Checks the host allocator's blocks after `what` went through its deleting destructor with
// `flags`, `before` being the count before it was made. With bit 1 clear it is destroyed, not
// freed: the blocks it held are back, its own `block` is not, and the host frees that itself.
// Then nothing is left.
void CheckBlocksAfter(const std::string& what, unsigned flags, long before, void* block);

// Takes a domain through the host's road up to its grid: its `Sections` sections are blocks of
// the host's allocator that only its destruction returns.
constexpr int Sections = 3;
void LayOutSections(QV_ModelType* domain);

// Destroys single objects of every factory with the flags of a single object; returns the
// number of objects destroyed so.
int CheckDeletingDestructors(const Modules& modules);

} // namespace platform_abi
