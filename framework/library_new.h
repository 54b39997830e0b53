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

// An object of a host class that the library makes: the host class with a virtual destructor
// of the library's own, so that the host, which ends the object through its table, returns the
// block to the allocator that made it, the library's. Every other operation is the host class's.
template <class HostClass> class LibraryOwned final : public HostClass {
public:
    using HostClass::HostClass;
    ~LibraryOwned() override {}
    // Through a function compiled in the library, so that a table made in another module
    // still returns the block to the library's allocator.
    static void operator delete(void* block) { FreeBlock(block); }
};

// True for the host classes whose objects the library makes (specialised where each is made).
template <class T> struct IsHostClass : std::false_type {};

// The class of an object of class T that the library makes: T itself for the library's own
// classes, LibraryOwned<T> for a host class.
template <class T>
using LibraryMade = std::conditional_t<IsHostClass<T>::value, LibraryOwned<T>, T>;

// An array of `count` values of a trivial type, not initialised; null when the allocator
// refuses or the block would be larger than the host's allocator can count.
template <class T> T* LibraryNewArray(long long count) {
    static_assert(std::is_trivial<T>::value, "only arrays of plain values");
    if (count <= 0 || count > static_cast<long long>(INT_MAX / sizeof(T))) return nullptr;
    return static_cast<T*>(AllocateBlock(static_cast<std::size_t>(count) * sizeof(T)));
}

} // namespace norvane
