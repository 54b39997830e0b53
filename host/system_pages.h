// Memory straight from the operating system for the host's small-block heap: zero-filled,
// readable and writable, aligned to an arena. The heap keeps the addresses for good; the pages
// of an arena with no block go back to the system only when the heap is trimmed.
#pragma once

#include <cstddef>

namespace qvhost {

// The size and alignment of one arena of the small-block heap: the allocation granularity of
// Windows, so that the system's own regions are aligned to it there.
constexpr std::size_t ArenaBytes = std::size_t(1) << 16;

// A region of `bytes` (a multiple of ArenaBytes) that starts on a multiple of ArenaBytes, or
// null when the system refuses it.
void* MapArenaRegion(std::size_t bytes);

// The size of a page of the system (of every x86 system the host runs on).
constexpr std::size_t PageBytes = 4096;
// Gives the pages of [from, from + bytes) back to the system, page aligned, which keeps the
// addresses for the heap; their contents are lost.
void ReleasePages(void* from, std::size_t bytes);
// Makes released pages usable again (zero-filled); false when the system refuses memory.
bool ReclaimPages(void* from, std::size_t bytes);

} // namespace qvhost
