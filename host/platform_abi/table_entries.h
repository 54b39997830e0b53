// What an entry of one of the library's tables of virtual operations holds, told by the
// modules' exports: a function of the library itself, or the host's or the runtime's, which the
// library's table reaches through its import thunk.
#pragma once

#include <cstdint>
#include <string>

#include "host/platform_abi/loaded_module.h"
#include "host/platform_abi/slot_tables.h"

namespace platform_abi {

struct Modules {
    LoadedModule library{"Norvane340_1.dll"};
    LoadedModule host{"qvcore.dll"};
    LoadedModule runtime{"vcruntime140.dll"};

    const LoadedModule& Of(Home home) const;
};

// True when `entry` is the function that `home` exports as `function`: for the library, that
// function itself or, where the export is a one-jump entry, the code it jumps to; for another
// module, an import thunk of the library that leads there (never one of the library's own
// functions, even one that only jumps there).
bool EntryHolds(const Modules& modules, std::uintptr_t entry, Home home,
                const std::string& function);

// The exported name of what `entry` holds, for messages.
std::string Describe(const Modules& modules, std::uintptr_t entry);

} // namespace platform_abi
