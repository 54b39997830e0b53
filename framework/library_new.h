// Creation of the library's objects: allocate from the library's operator new, test the block,
// and construct only in a block that exists. A null block gives null and constructs nothing.
#pragma once

#include <cstddef>
#include <new>
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

} // namespace norvane
