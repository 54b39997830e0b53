// The test program's array forms of operator new and delete: its arrays come from the host's
// allocator and go back to it.
#pragma once

namespace norvane::test {
// The block that the program's operator new[] gave last (null when the allocator refused).
void* LastArrayBlock();
} // namespace norvane::test
