#include "host/system_pages.h"

#include <cstdint>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/mman.h>
#endif

namespace qvhost {

namespace {
std::uintptr_t AlignUp(std::uintptr_t address) {
    return (address + ArenaBytes - 1) & ~std::uintptr_t(ArenaBytes - 1);
}
} // namespace

#if defined(_WIN32)

void* MapArenaRegion(std::size_t bytes) {
    // Reserved with one arena to spare, so that an aligned start lies inside whatever the
    // allocation granularity is; only the aligned part is committed.
    void* reserved = VirtualAlloc(nullptr, bytes + ArenaBytes, MEM_RESERVE, PAGE_NOACCESS);
    if (!reserved) return nullptr;
    void* start = reinterpret_cast<void*>(AlignUp(reinterpret_cast<std::uintptr_t>(reserved)));
    if (!VirtualAlloc(start, bytes, MEM_COMMIT, PAGE_READWRITE)) {
        VirtualFree(reserved, 0, MEM_RELEASE);
        return nullptr;
    }
    return start;
}

void ReleasePages(void* from, std::size_t bytes) {
    VirtualFree(from, bytes, MEM_DECOMMIT);
}

bool ReclaimPages(void* from, std::size_t bytes) {
    return VirtualAlloc(from, bytes, MEM_COMMIT, PAGE_READWRITE) != nullptr;
}

#else

void* MapArenaRegion(std::size_t bytes) {
    // Mapped with one arena to spare; the parts before the aligned start and after its end go
    // back at once, so nothing stays mapped that the heap does not use.
    const std::size_t mapped = bytes + ArenaBytes;
    void* raw = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return nullptr;
    const auto begin = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t start = AlignUp(begin);
    if (start > begin) munmap(raw, start - begin);
    const std::uintptr_t end = start + bytes;
    if (begin + mapped > end) munmap(reinterpret_cast<void*>(end), begin + mapped - end);
    return reinterpret_cast<void*>(start);
}

void ReleasePages(void* from, std::size_t bytes) {
    madvise(from, bytes, MADV_DONTNEED);
}

bool ReclaimPages(void*, std::size_t) {
    return true; // a page given back is mapped anew, zero-filled, when next touched
}

#endif

} // namespace qvhost
