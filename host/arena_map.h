// Which 64 KB granules of the address space are arenas of the small-block heap: one bit a
// granule, in leaves of 8 KB that each cover 4 GB and are made when the heap first maps an
// arena there. It lets MyFree tell, by reading a few bytes, whether any pointer at all lies in
// an arena of its own before it reads that arena's header. On 32 bits one leaf covers the whole
// address space; on 64 bits the table of leaves (48-bit addresses) is 512 KB of zeros that the
// system maps only where a leaf is entered, one page for the heap's usual few gigabytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/system_pages.h"

namespace qvhost {

class ArenaMap {
public:
    constexpr ArenaMap() = default;

    // Enters the granule that starts at `arena`; false when there is no memory for its leaf or
    // the address lies beyond those the map covers (the arena is then not entered).
    bool Add(const void* arena);
    // Whether `address` lies in a granule that was entered.
    bool Contains(const void* address) const {
        const Place at = PlaceOf(address);
        if (at.root >= Roots || !m_leaves[at.root]) return false;
        return (m_leaves[at.root][at.bit / 32] >> (at.bit % 32)) & 1u;
    }

private:
    // Where an address's granule stands: its leaf, and its bit in the leaf.
    struct Place {
        std::uintptr_t root;
        std::uintptr_t bit;
    };
    static Place PlaceOf(const void* address) {
        const std::uintptr_t granule = reinterpret_cast<std::uintptr_t>(address) >> GranuleBits;
        return {granule >> LeafBits, granule & (LeafGranules - 1)};
    }

    static constexpr unsigned GranuleBits = 16;
    static_assert(ArenaBytes == std::size_t(1) << GranuleBits, "a granule is an arena");
    static constexpr unsigned LeafBits = 16;
    static constexpr std::size_t LeafGranules = std::size_t(1) << LeafBits;
    static constexpr unsigned AddressBits = sizeof(void*) == 8 ? 48 : 32;
    static constexpr std::size_t Roots = std::size_t(1) << (AddressBits - GranuleBits - LeafBits);

    // All null until the heap maps an arena: the map needs no initialization at run time.
    std::uint32_t* m_leaves[Roots] = {};
};

} // namespace qvhost
