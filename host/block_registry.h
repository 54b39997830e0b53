// A set of block addresses, so that MyFree can tell the large blocks that the host's allocator
// has handed out, and not yet taken back, from any other pointer. An open-addressing table
// (linear probing, deletion by shifting back, no tombstones) of one address a slot, at most
// half full: two to four slots a live block while it grows (8 to 16 bytes on 32 bits, 16 to 32
// on 64), more once blocks have gone, as it never shrinks; no allocation of its own but when it
// grows.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qvhost {

class BlockRegistry {
public:
    BlockRegistry() = default;
    BlockRegistry(const BlockRegistry&) = delete;
    BlockRegistry& operator=(const BlockRegistry&) = delete;
    ~BlockRegistry();

    // Adds a block; false when the table could not grow (the block is then not added).
    bool Add(const void* block);
    // Removes a block; false when it is not in the set.
    bool Remove(const void* block);
    std::size_t Count() const { return m_count; }

private:
    std::size_t SlotOf(std::uintptr_t key) const;
    bool Grow();

    std::uintptr_t* m_slots = nullptr; // 0 marks a free slot
    std::size_t m_capacity = 0;        // a power of two, or 0
    std::size_t m_count = 0;
};

} // namespace qvhost
