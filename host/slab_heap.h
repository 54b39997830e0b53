// The host allocator's heap of small blocks (up to MaxBytes). Blocks of one size class (a
// multiple of 8 bytes) share 64 KB arenas, which the heap takes from the system in regions of
// 64 and keeps: an arena whose blocks have all come back serves any class next.
//
// An arena starts with its header: its class, its free slots, and one bit per slot that says
// whether the slot is a live block. Whether a pointer is a live block of the heap is thus read
// from the arena map (a bit per arena) and from the header of the arena it lies in, on the
// block's own 64 KB: a pointer inside a block, one into no arena, one freed already are told
// apart from a live block without a search, and no bookkeeping grows with the blocks.
//
// What the bookkeeping costs: in each arena a header of 40 bytes (on 32 bits) or 64 (on 64)
// and one bit per slot, rounded up to 16 bytes (144 and 160 bytes of the 64 KB for blocks of
// 88 bytes; with the room left over after the last slot, at most 1.7 % of an arena for any
// class); the arena map's leaf of 8 KB per 4 GB that holds arenas, and on 64 bits its 512 KB
// table of leaves, of which the system maps only the pages that are read or written. A block
// has no header: it takes its class's size, a multiple of 8, and no more (under
// AddressSanitizer a poisoned red zone of 16 bytes follows each block).
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/arena_map.h"

namespace qvhost {

class SlabHeap {
public:
    static constexpr std::size_t MaxBytes = 1024;
    struct Arena; // its header, at its start

    constexpr SlabHeap() = default;

    // A block of at least `bytes` (at most MaxBytes; 0 gives a block of 8), aligned to 8 bytes,
    // and to 16 where its class is a multiple of 16; null when the system refuses memory.
    void* Allocate(std::size_t bytes);

    // Where a pointer stands with the heap.
    struct Lookup {
        enum Kind { Elsewhere, NotLive, Live } kind; // Elsewhere: in no arena of this heap
        Arena* arena;                                // when Live: the block's arena
        std::uint32_t slot;                          // and its slot there
    };
    Lookup Find(const void* block) const;
    // Takes back a block that Find found Live.
    void Release(void* block, Lookup where);

    // Gives the memory of every arena with no live block back to the system but for its
    // header's page, as malloc_trim does for the C runtime's heap. The arenas stay the heap's
    // and get memory again when next opened.
    void Trim();

    std::size_t LiveBlocks() const { return m_live; }
    std::size_t MappedBytes() const { return m_mappedBytes; }

private:
    static constexpr std::size_t Classes = MaxBytes / 8;
    static constexpr std::size_t RegionArenas = 64;

    Arena* OpenArena(std::size_t sizeClass);
    Arena* NewArena();
    void Pool(Arena* arena); // an arena with no live block: to the pool, for any class
    void List(Arena* arena);
    void Unlist(Arena* arena);

    // Zero until first use: the heap needs no initialization at run time and no destruction at
    // exit, so blocks may come and go before and after the program's own initializers.
    ArenaMap m_map;
    Arena* m_available[Classes + 1] = {}; // per class: arenas with a free slot
    Arena* m_pool = nullptr;              // arenas with no live block and no class
    char* m_regionNext = nullptr;         // the next arena of the newest region
    char* m_regionEnd = nullptr;
    std::size_t m_live = 0;
    std::size_t m_mappedBytes = 0;
};

} // namespace qvhost
