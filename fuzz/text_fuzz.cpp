// Fuzz target: the first byte picks an area of the library's text handling (text_fuzz.h), the
// rest of the input drives it. Every block an area takes must be back when it ends.
#include "fuzz/text_fuzz.h"

#include "fuzz/fault.h"
#include "host/qv_memory.h"

#include <cctype>
#include <cstddef>
#include <cstdint>

namespace norvane::fuzz {
namespace {

// Names of the library and of the host, and short texts likely to collide in sets.
const char* const kPool[] = {"BFD1",       "ocfe3", "CFD4",  "idx",         "idxdy",
                             "None",       "",      "a",     "A",           "b",
                             " a",         "a,b",   "x)",    "\"",          "Model DOMAIN\tV8.8",
                             "FEED",       "feed",  "0",     "-1",          "Port MULTIPORT\tV8.8",
                             "2147483648", "idydz", "UBFD4", "LENGTHDOMAIN"};

} // namespace

const char* TextSource::Next(int slot) {
    std::string& text = m_texts[slot];
    const int code = m_in.Byte();
    if (code == 255) return nullptr;
    text =
        code >= 192 ? m_in.Text() : m_in.InSomeCase(kPool[code % (sizeof kPool / sizeof *kPool)]);
    return text.c_str();
}

bool SameIgnoringCase(const char* a, const char* b) {
    const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    for (; lower(*a) == lower(*b); ++a, ++b)
        if (*a == 0) return true;
    return false;
}

} // namespace norvane::fuzz

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
    if (qvhost::RefusedFrees() != 0) Fault("MyFree refused %ld pointers", qvhost::RefusedFrees());
    return 0;
}
