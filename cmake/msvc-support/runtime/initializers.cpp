// The compiler puts a pointer to each initializer of a module into section ".CRT$XCU"; the
// linker sorts the ".CRT$XC*" sections by name, so that the arrays placed in ".CRT$XCA" and
// ".CRT$XCZ" enclose them.
#include "initializers.h"

namespace {
using Initializer = void(__cdecl*)();
}

#pragma section(".CRT$XCA", read)
#pragma section(".CRT$XCZ", read)
__declspec(allocate(".CRT$XCA")) const Initializer FirstInitializer[] = {nullptr};
__declspec(allocate(".CRT$XCZ")) const Initializer LastInitializer[] = {nullptr};

namespace norvane_runtime {

void RunInitializers() {
    for (const Initializer* entry = FirstInitializer; entry != LastInitializer; ++entry)
        if (*entry) (*entry)();
}

} // namespace norvane_runtime
