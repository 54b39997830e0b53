// A host built with the platform compiler, as the real one is: it loads the library, reads the
// tables of virtual operations of its classes from the exports slot by slot, and destroys objects
// and arrays of objects through the deleting destructors in their tables and those that the
// library exports by name, with each value of their flags. Every block that it or the library
// frees must be one of the host's allocator, freed once.
#include <cstdio>

#include <windows.h>

#include "host/platform_abi/array_deletion.h"
#include "host/platform_abi/check.h"
#include "host/platform_abi/deleting_destructor.h"
#include "host/platform_abi/host_class_objects.h"
#include "host/platform_abi/non_array_forms.h"
#include "host/platform_abi/procedure_deletion.h"
#include "host/platform_abi/virtual_slots.h"
#include "host/qv_memory.h"

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
    const int exported = platform_abi::CheckNoTrappingDeletingDestructor(modules);
    const int objects = platform_abi::CheckDeletingDestructors(modules) +
                        platform_abi::CheckProcedureDeletion(modules) +
                        platform_abi::CheckHostClassObjects(modules);
    const int byName = platform_abi::CheckNonArrayForms(modules);
    const int arrays = platform_abi::CheckArrayDeletion(modules);
    ABI_CHECK(qvhost::RefusedFrees() == 0,
              std::to_string(qvhost::RefusedFrees()) +
                  " frees of a pointer that was no live block of the host's allocator");
    std::printf("%d slots and %d exported deleting destructors checked; destroyed: %d objects "
                "through their tables, %d through the non-array form by name, %d arrays: "
                "%d failures\n",
                slots, exported, objects, byName, arrays, platform_abi::Failures());
    return platform_abi::Failures() == 0 ? 0 : 1;
}
