#include "host/platform_abi/table_entries.h"

#include <cstdio>

namespace platform_abi {
namespace {

// Import thunks are one jump; the bound leaves room for a jump to one.
constexpr int MaxJumps = 4;

// Follows the jumps that start in the library (its import thunks) to the code they reach.
std::uintptr_t LeaveLibrary(const Modules& modules, std::uintptr_t entry) {
    for (int jumps = 0; jumps < MaxJumps && modules.library.Contains(entry); ++jumps) {
        const std::uintptr_t target = JumpTarget(entry);
        if (!target) break;
        entry = target;
    }
    return entry;
}

} // namespace

const LoadedModule& Modules::Of(Home home) const {
    switch (home) {
    case Home::Library:
        return library;
    case Home::Host:
        return host;
    default:
        return runtime;
    }
}

bool EntryHolds(const Modules& modules, std::uintptr_t entry, Home home,
                const std::string& function) {
    const std::uintptr_t exported = modules.Of(home).Export(function);
    if (!exported) return false;
    if (home == Home::Library) return entry == exported || entry == RelativeJumpTarget(exported);
    return !modules.library.NameAt(entry) && LeaveLibrary(modules, entry) == exported;
}

std::string Describe(const Modules& modules, std::uintptr_t entry) {
    if (const std::string* name = modules.library.NameAt(entry))
        return std::string(modules.library.File()) + "!" + *name;
    if (const std::string* name = modules.library.EntryJumpingTo(entry))
        return std::string(modules.library.File()) + "!" + *name + " (after its jump)";
    const std::uintptr_t reached = LeaveLibrary(modules, entry);
    for (const LoadedModule* module : {&modules.host, &modules.runtime})
        if (const std::string* name = module->NameAt(reached))
            return std::string(module->File()) + "!" + *name;
    char text[32];
    std::snprintf(text, sizeof text, "code at 0x%08lx", static_cast<unsigned long>(entry));
    return text;
}

} // namespace platform_abi
