// qvhost --catalog: what the loaded model library offers, as a host sees it.
#pragma once

#include <cstdio>
#include <string>

#include "host/driver/model_library.h"

// Prints the library file `path` and, on Windows, its version information and its CONTENT
// resource; then, for each type name that a host may create, whether the library exports its
// factory, property information and compatibility data, the two compatibility integers and,
// from one object that the factory makes, its container id and its registered properties.
// A type that the library lacks is reported as absent.
void PrintCatalog(std::FILE* out, ModelLibrary& library, const std::string& path);
