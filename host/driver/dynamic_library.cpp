#include "host/driver/dynamic_library.h"

#if defined(_WIN32)
#include <vector>

#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

#if defined(_WIN32)

std::string ExecutableDirectory() {
    char path[MAX_PATH];
    const DWORD size = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (size == 0 || size >= MAX_PATH) return "";
    std::string directory(path, size);
    const std::size_t slash = directory.find_last_of("\\/");
    return slash == std::string::npos ? "" : directory.substr(0, slash + 1);
}

void* LoadSharedLibrary(const std::string& path, std::string& error) {
    HMODULE library = LoadLibraryA(path.c_str());
    if (!library) error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return library;
}

void* SharedLibrarySymbol(void* library, const std::string& name) {
    // Through a plain function pointer type, which any other function pointer type converts to.
    const auto address =
        reinterpret_cast<void (*)()>(GetProcAddress(static_cast<HMODULE>(library), name.c_str()));
    return reinterpret_cast<void*>(address);
}

namespace {

std::string VersionNumber(DWORD high, DWORD low) {
    return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
           std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
}

} // namespace

std::string LibraryVersionText(void* library) {
    // The version functions read the block from the file, so they need the module's path.
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(static_cast<HMODULE>(library), path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return "unknown (the module's file name is unknown)";
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0)
        return "none (no version information, error " + std::to_string(GetLastError()) + ")";
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path, 0, size, block.data()))
        return "unreadable (error " + std::to_string(GetLastError()) + ")";
    void* fixed = nullptr;
    UINT fixedSize = 0;
    char root[] = "\\";
    if (!VerQueryValueA(block.data(), root, &fixed, &fixedSize) ||
        fixedSize < sizeof(VS_FIXEDFILEINFO))
        return "none (the version information has no fixed part)";
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    return "file " + VersionNumber(info->dwFileVersionMS, info->dwFileVersionLS) + ", product " +
           VersionNumber(info->dwProductVersionMS, info->dwProductVersionLS);
}

std::string LibraryContentText(void* library) {
    const HMODULE module = static_cast<HMODULE>(library);
    const HRSRC resource = FindResourceA(module, "XML", "CONTENT");
    if (!resource) return "none (no resource XML of type CONTENT)";
    const DWORD size = SizeofResource(module, resource);
    const HGLOBAL loaded = LoadResource(module, resource);
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!data) return "unreadable (" + std::to_string(size) + " bytes)";
    // The first line, without its line end (LF or CRLF).
    std::string line(data, size);
    const std::size_t end = line.find('\n');
    if (end != std::string::npos) line.erase(end);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return std::to_string(size) + " bytes, first line: " + line;
}

#else

std::string ExecutableDirectory() {
    char path[4096];
    const ssize_t size = readlink("/proc/self/exe", path, sizeof path);
    if (size <= 0 || static_cast<std::size_t>(size) >= sizeof path) return "";
    std::string directory(path, static_cast<std::size_t>(size));
    const std::size_t slash = directory.rfind('/');
    return slash == std::string::npos ? "" : directory.substr(0, slash + 1);
}

void* LoadSharedLibrary(const std::string& path, std::string& error) {
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) error = dlerror();
    return library;
}

void* SharedLibrarySymbol(void* library, const std::string& name) {
    return dlsym(library, name.c_str());
}

// ELF libraries carry neither version information nor resources.
std::string LibraryVersionText(void*) {
    return "";
}
std::string LibraryContentText(void*) {
    return "";
}

#endif
