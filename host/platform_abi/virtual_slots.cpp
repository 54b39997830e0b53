#include "host/platform_abi/virtual_slots.h"

#include <cstddef>

#include "host/platform_abi/check.h"

namespace platform_abi {
namespace {

const char* HomeName(Home home) {
    switch (home) {
    case Home::Library:
        return "the library's";
    case Home::Host:
        return "the host's";
    default:
        return "the runtime's";
    }
}

int CheckTable(const Modules& modules, const ExpectedTable& expected) {
    const auto* entries =
        reinterpret_cast<const std::uintptr_t*>(modules.library.Export(expected.table));
    ABI_CHECK(entries, "the library exports no table " + expected.table);
    if (!entries) return 0;
    const std::size_t count = expected.slots.size();
    for (std::size_t k = 0; k < count; ++k) {
        const ExpectedSlot& slot = expected.slots[k];
        const std::string where = expected.table + " slot " + std::to_string(slot.slot);
        ABI_CHECK(slot.slot == static_cast<int>(k),
                  where + " is listed at position " + std::to_string(k) + " of its table");
        if (slot.function == CompilerTrap) {
            ABI_CHECK(modules.library.Contains(entries[k]) && IsTrap(entries[k]),
                      where + " holds " + Describe(modules, entries[k]) +
                          ", not the compiler's trap");
            continue;
        }
        ABI_CHECK(modules.Of(slot.home).Export(slot.function),
                  where + ": " + modules.Of(slot.home).File() + " exports no " + slot.function);
        ABI_CHECK(EntryHolds(modules, entries[k], slot.home, slot.function),
                  where + " holds " + Describe(modules, entries[k]) + ", not " +
                      HomeName(slot.home) + " " + slot.function);
    }
    // After the last slot the table ends: the next word is no code of the library.
    ABI_CHECK(!modules.library.IsCode(entries[count]),
              expected.table + " has a slot " + std::to_string(count) + " beyond the host's (" +
                  Describe(modules, entries[count]) + ")");
    return static_cast<int>(count);
}

} // namespace

int CheckVirtualSlots(const Modules& modules) {
    int checked = 0;
    for (const ExpectedTable& table : ExpectedTables())
        checked += CheckTable(modules, table);
    return checked;
}

} // namespace platform_abi
