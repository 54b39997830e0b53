// The global allocation operators of a module that does not define its own (the host stand-in
// and its driver; the model-type library sends its blocks to the host instead): blocks of the C
// runtime's heap. When the heap has none, the new handler is called and the allocation tried
// again, and without a handler the throwing forms throw std::bad_alloc and the others give null.
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

// A zero-size request gets a block of its own, as every new-expression needs a distinct address.
template <class Allocate> void* AllocateOrThrow(std::size_t size, Allocate allocate) {
    for (;;) {
        if (void* block = allocate(size == 0 ? 1 : size)) return block;
        const std::new_handler handler = std::get_new_handler();
        if (!handler) throw std::bad_alloc();
        handler();
    }
}

template <class Allocate> void* AllocateOrNull(std::size_t size, Allocate allocate) noexcept {
    try {
        return AllocateOrThrow(size, allocate);
    } catch (...) {
        return nullptr;
    }
}

void* Plain(std::size_t size) {
    return std::malloc(size);
}

auto Aligned(std::align_val_t alignment) {
    return [alignment](std::size_t size) {
        return _aligned_malloc(size, static_cast<std::size_t>(alignment));
    };
}

} // namespace

void* operator new(std::size_t size) {
    return AllocateOrThrow(size, Plain);
}
void* operator new[](std::size_t size) {
    return AllocateOrThrow(size, Plain);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size, Plain);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size, Plain);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}

// Over-aligned types: blocks of the runtime's aligned heap, freed to it.
void* operator new(std::size_t size, std::align_val_t alignment) {
    return AllocateOrThrow(size, Aligned(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return AllocateOrThrow(size, Aligned(alignment));
}
void operator delete(void* block, std::align_val_t) noexcept {
    _aligned_free(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
    _aligned_free(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
    _aligned_free(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
    _aligned_free(block);
}
