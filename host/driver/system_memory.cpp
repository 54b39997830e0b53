#include "host/driver/system_memory.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <fstream>
#include <string>
#endif

double MemoryAvailable() {
#if defined(_WIN32)
    MEMORYSTATUSEX status;
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return -1.0;
    // A 32-bit process can use no more than its free address space, whatever the machine has.
    const DWORDLONG available =
        status.ullAvailPhys < status.ullAvailVirtual ? status.ullAvailPhys : status.ullAvailVirtual;
    return static_cast<double>(available);
#elif defined(__linux__)
    // "MemAvailable:   23001234 kB"
    std::ifstream meminfo("/proc/meminfo");
    const std::string key = "MemAvailable:";
    for (std::string line; std::getline(meminfo, line);)
        if (line.compare(0, key.size(), key) == 0)
            return 1024.0 * std::stod(line.substr(key.size()));
    return -1.0;
#else
    return -1.0;
#endif
}
