#include "host/qv_memory.h"

#include <cstdlib>

namespace {
long g_live = 0;
long g_calls = 0;
long g_failAt = 0; // absolute call number that fails; 0: none
} // namespace

void* MyAllocate(unsigned size) {
    ++g_calls;
    if (g_failAt != 0 && g_calls == g_failAt) {
        g_failAt = 0;
        return nullptr;
    }
    // A zero-byte request still yields a distinct block, as operator new requires.
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block) ++g_live;
    return block;
}

void MyFree(void* block) {
    if (!block) return;
    --g_live;
    std::free(block);
}

namespace qvhost {
long LiveBlocks() {
    return g_live;
}
long AllocationCalls() {
    return g_calls;
}
void FailAllocation(long k) {
    g_failAt = k > 0 ? g_calls + k : 0;
}
} // namespace qvhost
