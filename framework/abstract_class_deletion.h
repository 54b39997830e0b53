// The deleting destructor of an abstract class of the library in the platform compiler's
// interface. No object has an abstract class as its type, so the compiler gives such a class's
// deleting destructors a body that traps. A module may still call the exported one by its name;
// the build exports this function under the class's name of the vector deleting destructor
// ("??_E", cmake/msvc-support/deleting_destructors.cmake), and the non-array form ("??_G")
// calls it with bit 2 of the flags cleared. The GNU builds' deleting destructors need none.
#pragma once

#if defined(_MSC_VER)
#include <cstddef>

namespace norvane {

// Runs T's own destructor (not through the table) and, when bit 1 of `flags` is set, returns
// the block through the library's operator delete. With bit 2 `object` is the first element of
// an array made with new[], whose element count stands in front of the elements, in a word as
// aligned as T: the elements are destroyed from the last to the first, and with bit 1 the
// array's block goes back through operator delete[].
template <class T> void* __thiscall VectorDeletingDestructor(T* object, unsigned flags) {
    if ((flags & 2) == 0) {
        object->T::~T();
        if (flags & 1) ::operator delete(object);
        return object;
    }
    constexpr std::size_t cookie =
        alignof(T) > sizeof(std::size_t) ? alignof(T) : sizeof(std::size_t);
    char* const block = reinterpret_cast<char*>(object) - cookie;
    for (std::size_t k = *reinterpret_cast<const std::size_t*>(block); k > 0; --k)
        object[k - 1].T::~T();
    if (flags & 1) ::operator delete[](block);
    return object;
}

} // namespace norvane

// Emits the deleting destructor of the abstract class `Class`.
#define NORVANE_ABSTRACT_CLASS_DELETION(Class)                                                     \
    template void* __thiscall norvane::VectorDeletingDestructor<Class>(Class*, unsigned);
#else
#define NORVANE_ABSTRACT_CLASS_DELETION(Class)
#endif
