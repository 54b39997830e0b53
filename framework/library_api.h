// Export of the library's undecorated entry points, and of its classes.
#pragma once

#if defined(_WIN32)
#if defined(NORVANE_BUILDING_LIBRARY)
#define NORVANE_API __declspec(dllexport)
#else
#define NORVANE_API __declspec(dllimport)
#endif
#else
#define NORVANE_API __attribute__((visibility("default")))
#endif

// A class of the library, exported with every member: in the platform compiler's interface a
// class so marked exports its members, inline ones included, its table of virtual operations and
// the forms that the compiler makes (deleting destructor, default-constructor closure). The GNU
// builds export every member through the link instead (all symbols on Windows, the version
// script on ELF) and mark no class. A program that loads the library at run time, as a host
// does, links no import library: it defines NORVANE_LOADED_AT_RUN_TIME, reads the classes'
// layout from the headers and imports nothing.
// NORVANE_DECLARED_CLASS marks the declaration of an instance of a template that the library
// defines elsewhere: imported by a module that uses the library, plain within the library.
#if !defined(_MSC_VER) || defined(NORVANE_LOADED_AT_RUN_TIME)
#define NORVANE_CLASS
#define NORVANE_DECLARED_CLASS
#elif defined(NORVANE_BUILDING_LIBRARY)
#define NORVANE_CLASS __declspec(dllexport)
#define NORVANE_DECLARED_CLASS
#else
#define NORVANE_CLASS __declspec(dllimport)
#define NORVANE_DECLARED_CLASS __declspec(dllimport)
#endif
