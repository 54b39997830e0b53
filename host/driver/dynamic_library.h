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

// The version information of the loaded `library`, as "file A.B.C.D, product A.B.C.D" from its
// fixed version block; a text saying what is missing when the block cannot be read. "" where
// libraries carry no version resource (ELF).
std::string LibraryVersionText(void* library);

// The resource of type "CONTENT" named "XML" of the loaded `library`, as "N bytes, first line:
// TEXT" (the line without its line end, as stored); a text saying what is missing when there
// is no such resource. "" where libraries carry no resources (ELF).
std::string LibraryContentText(void* library);
