// Loading a shared library at run time on the platform at hand. Kept apart from the host
// framework's headers: the Windows headers declare classes of the same names.
#pragma once

#include <string>

// The directory of the running program, with a trailing separator ("" when unknown).
std::string ExecutableDirectory();

// The library file at `path`, loaded; null with `error` set when it cannot be.
void* LoadSharedLibrary(const std::string& path, std::string& error);

// The address that the library exports as `name`, or null.
void* SharedLibrarySymbol(void* library, const std::string& name);
