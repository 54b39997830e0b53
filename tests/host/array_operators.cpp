// Every object of the host's tree comes from the host's allocator, whichever module makes it.
// The library's allocation operators are its own, kept inside it, and in this ABI a delete[]
// expression frees through the operator delete[] of the code that holds it: so the test
// program's array forms take the host's blocks, and an array of the library's objects that a
// test deletes shows its block come back to the host's allocator, once.
#include "tests/host/array_operators.h"

#include <cstddef>
#include <new>

#include "host/qv_memory.h"

namespace {
void* g_lastBlock = nullptr;

// A size that the host's count cannot hold is refused, never cut to a smaller block.
void* HostArrayBlock(std::size_t size) noexcept {
    const unsigned counted = static_cast<unsigned>(size);
    g_lastBlock = counted == size ? MyAllocate(counted) : nullptr;
    return g_lastBlock;
}
} // namespace

void* operator new[](std::size_t size) {
    if (void* block = HostArrayBlock(size)) return block;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return HostArrayBlock(size);
}
void operator delete[](void* block) noexcept {
    MyFree(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    MyFree(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    MyFree(block);
}

namespace norvane::test {
void* LastArrayBlock() {
    return g_lastBlock;
}
} // namespace norvane::test
