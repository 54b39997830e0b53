// The library's allocation operators: every block goes to the host's allocator and comes back
// to it. They return the host's null unchanged (no retry, no exception), and null for a size
// that the host cannot count; creation sites test the block before they construct in it (see
// library_new.h). The link keeps these operators inside the library, so the program that loads
// it keeps its own.
#include <cstddef>
#include <new>

#include "framework/library_new.h"
#include "host/qv_memory.h"

namespace {
// The host's allocator counts a size in an unsigned int. A larger size (possible on a 64-bit
// build) is refused as the host refuses a block, with null, and never handed over cut to a
// smaller one.
void* HostBlock(std::size_t size) noexcept {
    const unsigned counted = static_cast<unsigned>(size);
    return counted == size ? MyAllocate(counted) : nullptr;
}
} // namespace

void* operator new(std::size_t size) {
    return HostBlock(size);
}
void* operator new[](std::size_t size) {
    return HostBlock(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return HostBlock(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return HostBlock(size);
}
void operator delete(void* block) noexcept {
    MyFree(block);
}
void operator delete[](void* block) noexcept {
    MyFree(block);
}
void operator delete(void* block, std::size_t) noexcept {
    MyFree(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    MyFree(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    MyFree(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    MyFree(block);
}

namespace norvane {
// Through the nothrow form, the one that may give null: the plain form must never return null,
// and code that calls it may take its result as a block.
void* AllocateBlock(std::size_t size) {
    return ::operator new(size, std::nothrow);
}
void FreeBlock(void* block) {
    ::operator delete(block);
}
} // namespace norvane
