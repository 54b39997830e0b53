// Start-up of a console program of this build, as the platform's static runtime part does it:
// the runtime learns the program's kind and arguments, the module's initializers run, then
// main, whose result the runtime's exit returns after running the destructors registered with
// atexit (the process's table) and unloading the DLLs.
#include <corecrt_startup.h>

#include "initializers.h"

extern "C" _ACRTIMP int* __cdecl __p___argc(void);
extern "C" _ACRTIMP char*** __cdecl __p___argv(void);
extern "C" _ACRTIMP __declspec(noreturn) void __cdecl exit(int status);
int main(int argc, char** argv);

extern "C" int __cdecl atexit(_PVFV destructor) {
    return _crt_atexit(destructor);
}

extern "C" void __cdecl mainCRTStartup() {
    _set_app_type(_crt_console_app);
    _configure_narrow_argv(_crt_argv_unexpanded_arguments);
    _initialize_narrow_environment();
    norvane_runtime::RunInitializers();
    exit(main(*__p___argc(), *__p___argv()));
}
