#include "host/arena_map.h"

#include <cstdlib>

namespace qvhost {

bool ArenaMap::Add(const void* arena) {
    const std::uintptr_t granule = reinterpret_cast<std::uintptr_t>(arena) >> GranuleBits;
    const std::uintptr_t root = granule >> LeafBits;
    if (root >= Roots) return false;
    if (!m_leaves[root]) {
        m_leaves[root] = static_cast<std::uint32_t*>(std::calloc(LeafGranules / 32, 4));
        if (!m_leaves[root]) return false;
    }
    const std::uintptr_t bit = granule & (LeafGranules - 1);
    m_leaves[root][bit / 32] |= std::uint32_t(1) << (bit % 32);
    return true;
}

} // namespace qvhost
