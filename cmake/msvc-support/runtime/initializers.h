// The module's dynamic initializers: the constructors of its globals and static members, which
// the compiler lists between the markers of initializers.cpp.
#pragma once

namespace norvane_runtime {
void RunInitializers();
}
