// The memory the system can give this process. Kept apart from the host framework's headers:
// the Windows headers declare classes of the same names.
#pragma once

// In bytes, now: MemAvailable on Linux, the smaller of free physical memory and free address
// space on Windows; negative when it cannot tell.
double MemoryAvailable();
