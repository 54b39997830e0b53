#include "host/qv_memory.h"

#include "host/block_registry.h"

#include <cstdlib>

namespace {
// Function-local so that it is there for allocations made before this module's initializers run.
qvhost::BlockRegistry& Blocks() {
    static qvhost::BlockRegistry* blocks = new qvhost::BlockRegistry; // never destroyed: blocks
    return *blocks;                                                   // may come back at exit
}
long g_refused = 0;
long g_calls = 0;
long g_failAt = 0; // absolute call number that fails; 0: none
qvhost::FreeObserver g_freeObserver = nullptr;
} // namespace

void* MyAllocate(unsigned size) {
    ++g_calls;
    if (g_failAt != 0 && g_calls == g_failAt) {
        g_failAt = 0;
        return nullptr;
    }
    // A zero-byte request still yields a distinct block, as operator new requires.
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block && !Blocks().Add(block)) {
        std::free(block);
        return nullptr;
    }
    return block;
}

void MyFree(void* block) {
    if (!block) return;
    // A pointer that is no live block of ours (inside one, another heap's, or one already
    // returned) is refused and counted: freeing it would corrupt the heap.
    if (!Blocks().Remove(block)) {
        ++g_refused;
        return;
    }
    if (g_freeObserver) g_freeObserver(block);
    std::free(block);
}

namespace qvhost {
long LiveBlocks() {
    return static_cast<long>(Blocks().Count());
}
long RefusedFrees() {
    return g_refused;
}
long AllocationCalls() {
    return g_calls;
}
void FailAllocation(long k) {
    g_failAt = k > 0 ? g_calls + k : 0;
}
void ObserveFrees(FreeObserver observer) {
    g_freeObserver = observer;
}
} // namespace qvhost
