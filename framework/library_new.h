// Creation of the library's objects: allocate from the library's operator new, test the block,
// and construct only in a block that exists. A null block gives null and constructs nothing.
#pragma once

#include <climits>
#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>

namespace norvane {

// The library's operator new and delete, reached from a function compiled in the library: a
// template instantiated in another module still allocates from the library's operators.
void* AllocateBlock(std::size_t size);
void FreeBlock(void* block);

template <class T, class... Args> T* LibraryNew(Args&&... args) {
    void* block = AllocateBlock(sizeof(T));
    if (!block) return nullptr;
    try {
        return ::new (block) T(std::forward<Args>(args)...);
    } catch (...) {
        FreeBlock(block);
        throw;
    }
}

// An array of `count` values of a trivial type, not initialised; null when the allocator
// refuses or the block would be larger than the host's allocator can count.
template <class T> T* LibraryNewArray(long long count) {
    static_assert(std::is_trivial<T>::value, "only arrays of plain values");
    if (count <= 0 || count > static_cast<long long>(INT_MAX / sizeof(T))) return nullptr;
    return static_cast<T*>(AllocateBlock(static_cast<std::size_t>(count) * sizeof(T)));
}

} // namespace norvane
