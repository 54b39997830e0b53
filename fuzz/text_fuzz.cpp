// Fuzz target: arbitrary texts fed to the library's own text handling. The first byte picks
// the area (text_areas.h), the rest of the input drives it. Every block an area takes must be
// back when it ends.
#include "fuzz/fault.h"
#include "fuzz/text_areas.h"
#include "host/qv_memory.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace norvane::fuzz;
    void (*const areas[])(ByteReader&) = {FuzzContainers,   FuzzStringInSet,     FuzzMethodNames,
                                          FuzzContainerIds, FuzzConnectionPorts, FuzzSchemeTexts};
    ByteReader in(data, size);
    const int area = in.Choice(sizeof areas / sizeof areas[0]);
    const long blocks = qvhost::LiveBlocks();
    areas[area](in);
    if (qvhost::LiveBlocks() != blocks)
        Fault("%ld blocks left by area %d", qvhost::LiveBlocks() - blocks, area);
    return 0;
}
