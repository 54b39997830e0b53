#include "host/driver/dynamic_library.h"

#if defined(_WIN32)
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


#endif
