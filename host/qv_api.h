// Export and import of the host framework's classes and functions.
#pragma once

#if defined(_WIN32)
#if defined(QVCORE_BUILDING)
#define QVCORE_API __declspec(dllexport)
#else
#define QVCORE_API __declspec(dllimport)
#endif
#else
#define QVCORE_API __attribute__((visibility("default")))
#endif
