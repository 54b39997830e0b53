// Loading procedure libraries and finding their routines. This file includes the platform's
// loader headers, so it includes none of the host's class headers (the Windows headers
// declare classes of the same names).
#include "host/qv_procedure_library.h"

#include <map>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

struct qvhost::ProcedureLibrary {
    void* file = nullptr;
    std::map<std::string, QV_ProcedureRoutine> registered;
};

namespace {

std::map<std::string, qvhost::ProcedureLibrary>& Libraries() {
    static std::map<std::string, qvhost::ProcedureLibrary> libraries;
    return libraries;
}

// A routine address through a plain function pointer type, which converts to any other.
using AnyFunction = void (*)();

#if defined(_WIN32)

// The directory of this module (the host framework's library), with its separator.
std::string HostDirectory() {
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&HostDirectory), &module))
        return "";
    char path[MAX_PATH];
    const DWORD size = GetModuleFileNameA(module, path, MAX_PATH);
    if (size == 0 || size >= MAX_PATH) return "";
    const std::string file(path, size);
    const std::size_t slash = file.find_last_of("\\/");
    return slash == std::string::npos ? "" : file.substr(0, slash + 1);
}

void* LoadFile(const std::string& name) {
    return LoadLibraryA((HostDirectory() + name + ".dll").c_str());
}

AnyFunction FileSymbol(void* file, const char* name) {
    return reinterpret_cast<AnyFunction>(GetProcAddress(static_cast<HMODULE>(file), name));
}

#else

std::string HostDirectory() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&HostDirectory), &info) || !info.dli_fname) return "";
    const std::string file = info.dli_fname;
    const std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? "" : file.substr(0, slash + 1);
}

void* LoadFile(const std::string& name) {
    return dlopen((HostDirectory() + "lib" + name + ".so").c_str(), RTLD_NOW | RTLD_LOCAL);
}

AnyFunction FileSymbol(void* file, const char* name) {
    return reinterpret_cast<AnyFunction>(dlsym(file, name));
}

#endif

qvhost::ProcedureLibrary& Entry(const char* name) {
    return Libraries()[name ? name : ""];
}

void LoadOnce(qvhost::ProcedureLibrary& library, const std::string& name) {
    if (!library.file && !name.empty()) library.file = LoadFile(name);
}

} // namespace

qvhost::ProcedureLibrary* qvhost::OpenProcedureLibrary(const char* name) {
    ProcedureLibrary& library = Entry(name);
    LoadOnce(library, name ? name : "");
    return library.file || !library.registered.empty() ? &library : nullptr;
}

QV_ProcedureRoutine qvhost::FindRoutine(ProcedureLibrary* library, const char* routine) {
    if (!library || !routine) return nullptr;
    const auto found = library->registered.find(routine);
    if (found != library->registered.end()) return found->second;
    if (!library->file) return nullptr;
    return reinterpret_cast<QV_ProcedureRoutine>(FileSymbol(library->file, routine));
}

QV_ProcedureRoutine qvhost::FileRoutine(const char* name, const char* routine) {
    ProcedureLibrary& library = Entry(name);
    LoadOnce(library, name ? name : "");
    if (!library.file || !routine) return nullptr;
    return reinterpret_cast<QV_ProcedureRoutine>(FileSymbol(library.file, routine));
}

void qvhost::RegisterRoutine(const char* name, const char* routine, QV_ProcedureRoutine function) {
    if (!routine) return;
    ProcedureLibrary& library = Entry(name);
    if (function)
        library.registered[routine] = function;
    else
        library.registered.erase(routine);
}
