// A module of this process as a host sees it: what it exports by name and by address, and the
// jumps that can stand between an entry of a table of virtual operations and the code it
// reaches. The platform's headers stay out of it: they clash with the host's.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace platform_abi {

class LoadedModule {
public:
    // `file` must already be loaded; Loaded() is false otherwise.
    explicit LoadedModule(const char* file);

    bool Loaded() const { return m_handle != nullptr; }
    const char* File() const { return m_file; }
    // The address exported as `name` (GetProcAddress), 0 when the module exports no such name.
    std::uintptr_t Export(const std::string& name) const;
    // A name exported at exactly `address`, or null.
    const std::string* NameAt(std::uintptr_t address) const;
    // The names that the module exports beginning with `prefix`.
    std::vector<std::string> NamesStartingWith(const std::string& prefix) const;
    // The name of an exported one-jump entry that jumps to `address`, or null.
    const std::string* EntryJumpingTo(std::uintptr_t address) const;
    bool Contains(std::uintptr_t address) const;
    // True when `address` lies in one of the module's executable sections.
    bool IsCode(std::uintptr_t address) const;

private:
    const char* m_file;
    void* m_handle; // the module's handle
    std::uintptr_t m_base = 0;
    std::uintptr_t m_size = 0;
    std::multimap<std::uintptr_t, std::string> m_names; // every exported name by its address
};

// Where the jump at `code` goes: a relative jump (E9 rel32, EB rel8) or an indirect one through
// an absolute pointer (FF 25, an import thunk). 0 when the code there is no such jump.
std::uintptr_t JumpTarget(std::uintptr_t code);
// The same for relative jumps only: the one-jump entries that a module writes itself.
std::uintptr_t RelativeJumpTarget(std::uintptr_t code);
// True when the code at `code` is a trap (ud2), what the compiler gives a function that no
// program may call.
bool IsTrap(std::uintptr_t code);

} // namespace platform_abi
