#include "host/driver/model_library.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace {

// Every generated type has QV_ModelType as its first base, through single inheritance from a
// host model, structure or port class, so the object a factory returns is also its
// QV_ModelType; the factory is called through that type.
using Factory = QV_ModelType* (*)();

} // namespace

#if defined(_WIN32)

std::string ExecutableDirectory() {
    char path[MAX_PATH];
    const DWORD size = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (size == 0 || size >= MAX_PATH) return "";
    std::string directory(path, size);
    const std::size_t slash = directory.find_last_of("\\/");
    return slash == std::string::npos ? "" : directory.substr(0, slash + 1);
}

bool ModelLibrary::Open(const std::string& path, std::string& error) {
    m_handle = LoadLibraryA(path.c_str());
    if (!m_handle) error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return m_handle != nullptr;
}

ModelLibrary::~ModelLibrary() {
    if (m_handle) FreeLibrary(static_cast<HMODULE>(m_handle));
}

void* ModelLibrary::Symbol(const std::string& name) {
    // Through a plain function pointer type, which any other function pointer type converts to.
    const auto address =
        reinterpret_cast<void (*)()>(GetProcAddress(static_cast<HMODULE>(m_handle), name.c_str()));
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

bool ModelLibrary::Open(const std::string& path, std::string& error) {
    m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) error = dlerror();
    return m_handle != nullptr;
}

ModelLibrary::~ModelLibrary() {
    if (m_handle) dlclose(m_handle);
}

void* ModelLibrary::Symbol(const std::string& name) { return dlsym(m_handle, name.c_str()); }

#endif

ModelPtr ModelLibrary::Create(const std::string& type, std::string& error) {
    const std::string name = type + "Factory";
    void* address = m_handle ? Symbol(name) : nullptr;
    if (!address) {
        error = "the library exports no " + name;
        return nullptr;
    }
    ModelPtr model(reinterpret_cast<Factory>(address)());
    if (!model) error = name + " made no " + type;
    return model;
}
