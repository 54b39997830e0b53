#include "host/slab_heap.h"

#include <cstring>

#include "host/system_pages.h"

#if defined(__SANITIZE_ADDRESS__)
#define QVHOST_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QVHOST_ADDRESS_SANITIZER 1
#endif
#endif

#if defined(QVHOST_ADDRESS_SANITIZER)
#include <sanitizer/asan_interface.h>
#include <sanitizer/lsan_interface.h>
#endif

namespace qvhost {

namespace {

#if defined(QVHOST_ADDRESS_SANITIZER)
// What is not a live block's requested bytes stays poisoned: free slots, the red zone after each
// block, the arena's unused end. A block is unpoisoned to exactly the size asked for.
constexpr std::size_t RedZone = 16;
void Poison(const void* from, std::size_t bytes) {
    ASAN_POISON_MEMORY_REGION(from, bytes);
}
void Unpoison(const void* from, std::size_t bytes) {
    ASAN_UNPOISON_MEMORY_REGION(from, bytes);
}
// The leak checker looks for pointers to the C runtime's blocks in the arenas too, as they hold
// the host's objects and their containers' pointers.
void ScanForLeaks(const void* region, std::size_t bytes) {
    __lsan_register_root_region(region, bytes);
}
#else
constexpr std::size_t RedZone = 0;
void Poison(const void*, std::size_t) {}
void Unpoison(const void*, std::size_t) {}
void ScanForLeaks(const void*, std::size_t) {}
#endif

std::size_t RoundUp16(std::size_t bytes) {
    return (bytes + 15) & ~std::size_t(15);
}

// A free slot holds the next free slot of its arena in its first word.
constexpr std::size_t LinkBytes = sizeof(char*);
char* NextFreeSlot(const char* slot) {
    Unpoison(slot, LinkBytes);
    char* next;
    std::memcpy(&next, slot, LinkBytes);
    return next;
}
void LinkFreeSlot(char* slot, char* next) {
    Unpoison(slot, LinkBytes);
    std::memcpy(slot, &next, LinkBytes);
}

} // namespace

struct SlabHeap::Arena {
    Arena* next; // in its class's list of arenas with a free slot, or in the pool
    Arena* prev;
    char* freeSlots; // slots given back, linked through their first word
    char* fresh;     // the first slot never handed out
    char* slots;     // the first slot
    char* end;       // past the last slot
    std::uint32_t slotBytes;
    // The smallest number above 2^32 / slotBytes: for an offset below 2^16 into the slots,
    // (offset * reciprocal) >> 32 is the slot it lies in.
    std::uint32_t reciprocal;
    std::uint32_t live;
    std::uint16_t sizeClass;
    bool listed;   // in its class's list
    bool released; // in the pool, its pages after the header's given back to the system

    std::uint32_t* LiveBits() { return reinterpret_cast<std::uint32_t*>(this + 1); }
    const std::uint32_t* LiveBits() const {
        return reinterpret_cast<const std::uint32_t*>(this + 1);
    }
    // The slot that a pointer at or after the first slot and before `end` lies in.
    std::uint32_t SlotOf(const char* at) const {
        const auto offset = static_cast<std::uint32_t>(at - slots);
        return static_cast<std::uint32_t>((std::uint64_t(offset) * reciprocal) >> 32);
    }
    bool IsLive(std::uint32_t slot) const { return (LiveBits()[slot / 32] >> (slot % 32)) & 1u; }
    void SetLive(std::uint32_t slot) { LiveBits()[slot / 32] |= std::uint32_t(1) << (slot % 32); }
    void ClearLive(std::uint32_t slot) {
        LiveBits()[slot / 32] &= ~(std::uint32_t(1) << (slot % 32));
    }

    // The pages that Trim gives back: all but the header's, which links the pool.
    char* ReleasablePages() { return reinterpret_cast<char*>(this) + PageBytes; }
    static constexpr std::size_t ReleasableBytes = ArenaBytes - PageBytes;

    // No slot of the arena may be read or written until it is handed out.
    void PoisonSlots() {
        Poison(slots, ArenaBytes - static_cast<std::size_t>(slots - reinterpret_cast<char*>(this)));
    }

    // Lays the arena out for blocks of class `sizeClassIndex` (its size in eighths): the header
    // with one bit per slot, then as many slots as fit.
    void Open(std::size_t sizeClassIndex) {
        Unpoison(this, ArenaBytes); // a pooled arena's last class poisoned it in its own layout
        const std::size_t stride = sizeClassIndex * 8 + RedZone;
        std::size_t capacity = (ArenaBytes - sizeof(Arena)) * 8 / (stride * 8 + 1);
        while (HeaderBytes(capacity) + capacity * stride > ArenaBytes)
            --capacity;
        std::memset(LiveBits(), 0, HeaderBytes(capacity) - sizeof(Arena));
        next = prev = nullptr;
        freeSlots = nullptr;
        slots = reinterpret_cast<char*>(this) + HeaderBytes(capacity);
        fresh = slots;
        end = slots + capacity * stride;
        slotBytes = static_cast<std::uint32_t>(stride);
        reciprocal = static_cast<std::uint32_t>((std::uint64_t(1) << 32) / stride + 1);
        live = 0;
        sizeClass = static_cast<std::uint16_t>(sizeClassIndex);
        listed = false;
        released = false;
        PoisonSlots();
    }

    static std::size_t HeaderBytes(std::size_t capacity) {
        return RoundUp16(sizeof(Arena) + (capacity + 31) / 32 * 4);
    }
};

void* SlabHeap::Allocate(std::size_t bytes) {
    const std::size_t sizeClass = bytes == 0 ? 1 : (bytes + 7) / 8;
    Arena* arena = m_available[sizeClass];
    if (!arena && !(arena = OpenArena(sizeClass))) return nullptr;
    char* slot = arena->freeSlots;
    if (slot) {
        arena->freeSlots = NextFreeSlot(slot);
    } else {
        slot = arena->fresh;
        arena->fresh += arena->slotBytes;
    }
    arena->SetLive(arena->SlotOf(slot));
    ++arena->live;
    ++m_live;
    if (!arena->freeSlots && arena->fresh == arena->end) Unlist(arena);
    Unpoison(slot, bytes);
    Poison(slot + bytes, sizeClass * 8 + RedZone - bytes);
    return slot;
}

SlabHeap::Lookup SlabHeap::Find(const void* block) const {
    if (!m_map.Contains(block)) return {Lookup::Elsewhere, nullptr, 0};
    auto* arena = reinterpret_cast<Arena*>(reinterpret_cast<std::uintptr_t>(block) &
                                           ~std::uintptr_t(ArenaBytes - 1));
    const char* at = static_cast<const char*>(block);
    // Slots from `fresh` on were never handed out; the header is no block either.
    if (at < arena->slots || at >= arena->fresh) return {Lookup::NotLive, nullptr, 0};
    const std::uint32_t index = arena->SlotOf(at);
    if (arena->slots + std::size_t(index) * arena->slotBytes != at || !arena->IsLive(index))
        return {Lookup::NotLive, nullptr, 0};
    return {Lookup::Live, arena, index};
}

void SlabHeap::Release(void* block, Lookup where) {
    Arena* arena = where.arena;
    char* slot = static_cast<char*>(block);
    arena->ClearLive(where.slot);
    LinkFreeSlot(slot, arena->freeSlots);
    Poison(slot, arena->slotBytes);
    arena->freeSlots = slot;
    --m_live;
    if (!arena->listed) List(arena);
    // An emptied arena goes to the pool for any class, unless it is its class's last one: a
    // block that comes and goes over and over must not open an arena each time.
    if (--arena->live == 0 && (arena->prev || arena->next)) Pool(arena);
}

void SlabHeap::Trim() {
    for (Arena* first : m_available)
        for (Arena* arena = first; arena;) {
            Arena* next = arena->next;
            if (arena->live == 0) Pool(arena);
            arena = next;
        }
    for (Arena* arena = m_pool; arena; arena = arena->next)
        if (!arena->released) {
            ReleasePages(arena->ReleasablePages(), Arena::ReleasableBytes);
            arena->released = true;
        }
}

void SlabHeap::Pool(Arena* arena) {
    Unlist(arena);
    arena->PoisonSlots();
    arena->next = m_pool;
    m_pool = arena;
}

SlabHeap::Arena* SlabHeap::OpenArena(std::size_t sizeClass) {
    Arena* arena = m_pool;
    if (arena) {
        if (arena->released && !ReclaimPages(arena->ReleasablePages(), Arena::ReleasableBytes))
            return nullptr;
        m_pool = arena->next;
    } else if (!(arena = NewArena())) {
        return nullptr;
    }
    arena->Open(sizeClass);
    List(arena);
    return arena;
}

SlabHeap::Arena* SlabHeap::NewArena() {
    if (m_regionNext == m_regionEnd) {
        const std::size_t bytes = RegionArenas * ArenaBytes;
        auto* region = static_cast<char*>(MapArenaRegion(bytes));
        if (!region) return nullptr;
        ScanForLeaks(region, bytes);
        m_regionNext = region;
        m_regionEnd = region + bytes;
        m_mappedBytes += bytes;
    }
    if (!m_map.Add(m_regionNext)) return nullptr;
    auto* arena = reinterpret_cast<Arena*>(m_regionNext);
    m_regionNext += ArenaBytes;
    return arena;
}

void SlabHeap::List(Arena* arena) {
    Arena*& head = m_available[arena->sizeClass];
    arena->prev = nullptr;
    arena->next = head;
    if (head) head->prev = arena;
    head = arena;
    arena->listed = true;
}

void SlabHeap::Unlist(Arena* arena) {
    if (arena->prev)
        arena->prev->next = arena->next;
    else
        m_available[arena->sizeClass] = arena->next;
    if (arena->next) arena->next->prev = arena->prev;
    arena->next = arena->prev = nullptr;
    arena->listed = false;
}

} // namespace qvhost
