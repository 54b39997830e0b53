// Creation of the library's objects: allocate from the library's operator new, test the block,
// and construct only in a block that exists. A null block gives null and constructs nothing.
#pragma once

#include <new>
#include <utility>

namespace norvane {

template <class T, class... Args>
T* LibraryNew(Args&&... args) {
    void* block = ::operator new(sizeof(T));
    if (!block) return nullptr;
    try {
        return ::new (block) T(std::forward<Args>(args)...);
    } catch (...) {
        ::operator delete(block);
        throw;
    }
}

} // namespace norvane
