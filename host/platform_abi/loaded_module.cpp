#include "host/platform_abi/loaded_module.h"

#include <cstring>

#include <windows.h>

namespace platform_abi {
namespace {

const IMAGE_NT_HEADERS32* Headers(std::uintptr_t base) {
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    return reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
}

template <class T> T Read(std::uintptr_t address) {
    T value;
    std::memcpy(&value, reinterpret_cast<const void*>(address), sizeof value);
    return value;
}

} // namespace

LoadedModule::LoadedModule(const char* file) : m_file(file), m_handle(GetModuleHandleA(file)) {
    if (!m_handle) return;
    m_base = reinterpret_cast<std::uintptr_t>(m_handle);
    const IMAGE_NT_HEADERS32* headers = Headers(m_base);
    m_size = headers->OptionalHeader.SizeOfImage;
    const IMAGE_DATA_DIRECTORY& directory =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (directory.Size == 0) return;
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(m_base + directory.VirtualAddress);
    const auto* functions = reinterpret_cast<const DWORD*>(m_base + exports->AddressOfFunctions);
    const auto* names = reinterpret_cast<const DWORD*>(m_base + exports->AddressOfNames);
    const auto* ordinals = reinterpret_cast<const WORD*>(m_base + exports->AddressOfNameOrdinals);
    for (DWORD k = 0; k < exports->NumberOfNames; ++k)
        m_names.emplace(m_base + functions[ordinals[k]],
                        reinterpret_cast<const char*>(m_base + names[k]));
}

std::uintptr_t LoadedModule::Export(const std::string& name) const {
    if (!m_handle) return 0;
    return reinterpret_cast<std::uintptr_t>(
        GetProcAddress(static_cast<HMODULE>(m_handle), name.c_str()));
}

const std::string* LoadedModule::NameAt(std::uintptr_t address) const {
    const auto found = m_names.find(address);
    return found == m_names.end() ? nullptr : &found->second;
}

std::vector<std::string> LoadedModule::NamesStartingWith(const std::string& prefix) const {
    std::vector<std::string> names;
    for (const auto& entry : m_names)
        if (entry.second.compare(0, prefix.size(), prefix) == 0) names.push_back(entry.second);
    return names;
}

const std::string* LoadedModule::EntryJumpingTo(std::uintptr_t address) const {
    for (const auto& [exported, name] : m_names)
        if (IsCode(exported) && RelativeJumpTarget(exported) == address) return &name;
    return nullptr;
}

bool LoadedModule::Contains(std::uintptr_t address) const {
    return m_handle && address >= m_base && address - m_base < m_size;
}

bool LoadedModule::IsCode(std::uintptr_t address) const {
    if (!Contains(address)) return false;
    const IMAGE_NT_HEADERS32* headers = Headers(m_base);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(headers);
    const std::uintptr_t offset = address - m_base;
    for (WORD k = 0; k < headers->FileHeader.NumberOfSections; ++k, ++section)
        if (offset >= section->VirtualAddress &&
            offset - section->VirtualAddress < section->Misc.VirtualSize)
            return (section->Characteristics & IMAGE_SCN_MEM_EXECUTE) != 0;
    return false;
}

std::uintptr_t RelativeJumpTarget(std::uintptr_t code) {
    switch (Read<unsigned char>(code)) {
    case 0xE9:
        return code + 5 + static_cast<std::uintptr_t>(Read<std::int32_t>(code + 1));
    case 0xEB:
        return code + 2 + static_cast<std::uintptr_t>(Read<std::int8_t>(code + 1));
    default:
        return 0;
    }
}

bool IsTrap(std::uintptr_t code) {
    return Read<unsigned char>(code) == 0x0F && Read<unsigned char>(code + 1) == 0x0B;
}

std::uintptr_t JumpTarget(std::uintptr_t code) {
    if (Read<unsigned char>(code) == 0xFF && Read<unsigned char>(code + 1) == 0x25)
        return Read<std::uintptr_t>(Read<std::uintptr_t>(code + 2));
    return RelativeJumpTarget(code);
}

} // namespace platform_abi
