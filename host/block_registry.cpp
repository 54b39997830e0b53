#include "host/block_registry.h"

#include <cstdlib>

namespace qvhost {

namespace {
// Fibonacci hashing: blocks are at least 8-byte aligned, so the low bits carry little.
std::size_t Hash(std::uintptr_t key) {
    return static_cast<std::size_t>((static_cast<std::uint64_t>(key) >> 3) *
                                    0x9E3779B97F4A7C15ull >> 17);
}
} // namespace

BlockRegistry::~BlockRegistry() {
    std::free(m_slots);
}

std::size_t BlockRegistry::SlotOf(std::uintptr_t key) const {
    std::size_t mask = m_capacity - 1;
    std::size_t slot = Hash(key) & mask;
    while (m_slots[slot] != 0 && m_slots[slot] != key)
        slot = (slot + 1) & mask;
    return slot;
}

bool BlockRegistry::Grow() {
    std::size_t capacity = m_capacity == 0 ? 1024 : m_capacity * 2;
    auto* slots = static_cast<std::uintptr_t*>(std::calloc(capacity, sizeof(std::uintptr_t)));
    if (!slots) return false;
    std::uintptr_t* old = m_slots;
    std::size_t oldCapacity = m_capacity;
    m_slots = slots;
    m_capacity = capacity;
    for (std::size_t k = 0; k < oldCapacity; ++k)
        if (old[k] != 0) m_slots[SlotOf(old[k])] = old[k];
    std::free(old);
    return true;
}

bool BlockRegistry::Add(const void* block) {
    // At most half full, so that a probe stays short.
    if (2 * (m_count + 1) > m_capacity && !Grow()) return false;
    auto key = reinterpret_cast<std::uintptr_t>(block);
    std::size_t slot = SlotOf(key);
    if (m_slots[slot] == key) return true;
    m_slots[slot] = key;
    ++m_count;
    return true;
}

bool BlockRegistry::Remove(const void* block) {
    auto key = reinterpret_cast<std::uintptr_t>(block);
    if (m_capacity == 0 || key == 0) return false;
    std::size_t mask = m_capacity - 1;
    std::size_t hole = SlotOf(key);
    if (m_slots[hole] != key) return false;
    // Shift back every later entry of the run that may no longer be reached past the hole.
    for (std::size_t next = (hole + 1) & mask; m_slots[next] != 0; next = (next + 1) & mask) {
        std::size_t home = Hash(m_slots[next]) & mask;
        bool reachable = hole <= next ? (home > hole && home <= next) : (home > hole || home <= next);
        if (reachable) continue;
        m_slots[hole] = m_slots[next];
        hole = next;
    }
    m_slots[hole] = 0;
    --m_count;
    return true;
}

} // namespace qvhost
