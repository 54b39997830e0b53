#include "host/qv_memory.h"

#include "host/block_registry.h"
#include "host/slab_heap.h"

#include <cstdlib>
#include <type_traits>

namespace {
// Blocks up to SlabHeap::MaxBytes, which is every block of a model's arrays and objects. The
// heap is initialized at compile time (all zero) and has nothing to destroy, so blocks may come
// and go before this module's initializers run and after the program's destructors have.
qvhost::SlabHeap g_small;
static_assert(std::is_trivially_destructible<qvhost::SlabHeap>::value,
              "the heap outlives every destructor");
// Larger blocks come from the C runtime's heap and are known by their address.
qvhost::BlockRegistry& LargeBlocks() {
    static qvhost::BlockRegistry* blocks = new qvhost::BlockRegistry; // never destroyed: blocks
    return *blocks;                                                   // may come back at exit
}
long g_refused = 0;
long g_calls = 0;
long g_failAt = 0; // absolute call number that fails; 0: none
qvhost::FreeObserver g_freeObserver = nullptr;

void* AllocateLarge(unsigned size) {
    void* block = std::malloc(size);
    if (block && !LargeBlocks().Add(block)) {
        std::free(block);
        return nullptr;
    }
    return block;
}
} // namespace

void* MyAllocate(unsigned size) {
    ++g_calls;
    if (g_failAt != 0 && g_calls == g_failAt) {
        g_failAt = 0;
        return nullptr;
    }
    // A zero-byte request still yields a distinct block, as operator new requires.
    return size <= qvhost::SlabHeap::MaxBytes ? g_small.Allocate(size) : AllocateLarge(size);
}

void MyFree(void* block) {
    if (!block) return;
    // A pointer that is no live block of ours (inside one, another heap's, or one already
    // returned) is refused and counted: freeing it would corrupt the heap.
    using Lookup = qvhost::SlabHeap::Lookup;
    const Lookup where = g_small.Find(block);
    const bool large = where.kind == Lookup::Elsewhere && LargeBlocks().Remove(block);
    if (where.kind != Lookup::Live && !large) {
        ++g_refused;
        return;
    }
    if (g_freeObserver) g_freeObserver(block);
    if (large)
        std::free(block);
    else
        g_small.Release(block, where);
}

namespace qvhost {
long LiveBlocks() {
    return static_cast<long>(g_small.LiveBlocks() + LargeBlocks().Count());
}
long RefusedFrees() {
    return g_refused;
}
long AllocationCalls() {
    return g_calls;
}
void TrimHeap() {
    g_small.Trim();
}
void FailAllocation(long k) {
    g_failAt = k > 0 ? g_calls + k : 0;
}
void ObserveFrees(FreeObserver observer) {
    g_freeObserver = observer;
}
} // namespace qvhost
