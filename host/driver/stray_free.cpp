// Preloaded into the driver, this gives the host's allocator a pointer to free that is none of
// its blocks, as a faulty library would, before the driver's own work begins.
#include "host/qv_memory.h"

namespace {
int g_notABlock = 0;

struct StrayFree {
    StrayFree() { MyFree(&g_notABlock); }
} const g_strayFree;
} // namespace
