// Memory straight from the operating system for the host's small-block heap: zero-filled,
// readable and writable, aligned to an arena, and never given back (the heap keeps its arenas
// for reuse).
#pragma once

#include <cstddef>

namespace qvhost {

// The size and alignment of one arena of the small-block heap: the allocation granularity of
// Windows, so that the system's own regions are aligned to it there.
constexpr std::size_t ArenaBytes = std::size_t(1) << 16;

// A region of `bytes` (a multiple of ArenaBytes) that starts on a multiple of ArenaBytes, or
// null when the system refuses it.
void* MapArenaRegion(std::size_t bytes);

} // namespace qvhost
