#include "host/arena_map.h"

#include <cstdlib>

namespace qvhost {

bool ArenaMap::Add(const void* arena) {
    const Place at = PlaceOf(arena);
    if (at.root >= Roots) return false;
    std::uint32_t*& leaf = m_leaves[at.root];
    if (!leaf && !(leaf = static_cast<std::uint32_t*>(std::calloc(LeafGranules / 32, 4))))
        return false;
    leaf[at.bit / 32] |= std::uint32_t(1) << (at.bit % 32);
    return true;
}

} // namespace qvhost
