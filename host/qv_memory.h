// The host's allocator. Every block that a model library allocates comes from here.
#pragma once

#include "host/qv_api.h"

// Returns a block of at least `size` bytes, or null when the allocator refuses.
QVCORE_API void* MyAllocate(unsigned size);
// Returns a block to the allocator; null is accepted and ignored. Any other pointer that is not
// a block handed out and not yet returned frees nothing and is counted (RefusedFrees).
QVCORE_API void MyFree(void* block);

namespace qvhost {
// Blocks handed out by MyAllocate and not yet returned.
QVCORE_API long LiveBlocks();
// Calls of MyFree with a pointer that was no live block: each is a fault of the caller.
QVCORE_API long RefusedFrees();
// Calls of MyAllocate since the process started, refused ones included.
QVCORE_API long AllocationCalls();
// Gives the memory that the allocator keeps for blocks to come back to the system, as
// malloc_trim does for the C runtime's heap: for measurements of the memory a piece of work
// takes. Without it the allocator keeps that memory for reuse.
QVCORE_API void TrimHeap();
// Makes the k-th call of MyAllocate from now (k >= 1) return null; 0 turns the failure off.
QVCORE_API void FailAllocation(long k);
// Called with each block that MyFree takes back, before it is freed; null (the start) calls
// nothing. For the host's tests, which watch the order in which blocks go.
using FreeObserver = void (*)(void* block);
QVCORE_API void ObserveFrees(FreeObserver observer);
} // namespace qvhost
