// A host built with the platform compiler, as the real one is: it loads the library, reads the
// tables of virtual operations of its classes from the exports slot by slot, and destroys objects
// and arrays of objects through the deleting destructor in their tables with each value of its
// flags.
#include <cstdio>

#include <windows.h>

#include "host/platform_abi/array_deletion.h"
#include "host/platform_abi/check.h"
#include "host/platform_abi/deleting_destructor.h"
#include "host/platform_abi/virtual_slots.h"

int main() {
    // From the program's own directory, as a host loads it; the library stays loaded.
    if (!LoadLibraryA("Norvane340_1.dll")) {
        std::printf("cannot load Norvane340_1.dll (error %lu)\n", GetLastError());
        return 1;
    }
    const platform_abi::Modules modules;
    for (const platform_abi::LoadedModule* module :
         {&modules.library, &modules.host, &modules.runtime})
        ABI_CHECK(module->Loaded(), std::string(module->File()) + " is not loaded");
    const int slots = platform_abi::CheckVirtualSlots(modules);
    const int objects = platform_abi::CheckDeletingDestructors(modules);
    const int arrays = platform_abi::CheckArrayDeletion(modules);
    std::printf("%d slots checked, %d objects and %d arrays destroyed through their tables: %d "
                "failures\n",
                slots, objects, arrays, platform_abi::Failures());
    return platform_abi::Failures() == 0 ? 0 : 1;
}
