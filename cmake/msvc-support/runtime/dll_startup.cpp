// Start-up and shut-down of a DLL of this build, as the platform's static runtime part does them:
// on load the module's initializers run, then its DllMain; on unload DllMain, then the
// destructors that the initializers registered with atexit, last first. The table of those
// destructors is the module's own, so that they run when the module goes, not at the process's
// exit. A module without a DllMain of its own gets one that accepts every notification.
#include <corecrt_startup.h>

#include "initializers.h"

namespace {
_onexit_table_t exitTable;
}

extern "C" int __stdcall DllMain(void* instance, unsigned long reason, void* reserved);

extern "C" int __stdcall NorvaneDefaultDllMain(void*, unsigned long, void*) {
    return 1;
}
#pragma comment(linker, "/alternatename:_DllMain@12=_NorvaneDefaultDllMain@12")

extern "C" int __cdecl atexit(_PVFV destructor) {
    return _register_onexit_function(&exitTable, reinterpret_cast<_onexit_t>(destructor));
}

extern "C" int __stdcall _DllMainCRTStartup(void* instance, unsigned long reason, void* reserved) {
    constexpr unsigned long ProcessDetach = 0;
    constexpr unsigned long ProcessAttach = 1;
    if (reason == ProcessAttach) {
        if (_initialize_onexit_table(&exitTable) != 0) return 0;
        norvane_runtime::RunInitializers();
    }
    const int accepted = DllMain(instance, reason, reserved);
    if (reason == ProcessDetach || (reason == ProcessAttach && !accepted))
        _execute_onexit_table(&exitTable);
    return accepted;
}
