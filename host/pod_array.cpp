#include "host/pod_array.h"

#include <cstdlib>
#include <cstring>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace qvhost {
namespace {

#if defined(__linux__)
constexpr std::size_t MappedBytes = std::size_t(1) << 16;

void* Map(std::size_t bytes) {
    void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return block == MAP_FAILED ? nullptr : block;
}
#endif

} // namespace

void* GrowBlock(void* block, std::size_t capacity, std::size_t used, std::size_t bytes) {
#if defined(__linux__)
    if (bytes >= MappedBytes) {
        if (block && capacity >= MappedBytes) {
            void* moved = mremap(block, capacity, bytes, MREMAP_MAYMOVE);
            return moved == MAP_FAILED ? nullptr : moved;
        }
        void* mapped = Map(bytes);
        if (mapped && block) {
            std::memcpy(mapped, block, used);
            std::free(block);
        }
        return mapped;
    }
#else
    (void)capacity;
    (void)used;
#endif
    return std::realloc(block, bytes);
}

void FreeBlock(void* block, std::size_t capacity) {
#if defined(__linux__)
    if (block && capacity >= MappedBytes) {
        munmap(block, capacity);
        return;
    }
#else
    (void)capacity;
#endif
    std::free(block);
}

} // namespace qvhost
