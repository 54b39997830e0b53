// The text fuzz target: arbitrary texts fed to the library's own text handling. Each area
// below is driven by the rest of one input, aborts through Fault at the first fault and
// leaves no block behind.
#pragma once

#include "fuzz/byte_reader.h"

#include <string>

namespace norvane::fuzz {

// The texts an area feeds the library: mostly names that the library knows or that repeat
// within one input, in any letter case; else any bytes the input holds, or no text at all.
class TextSource {
public:
    explicit TextSource(ByteReader& in) : m_in(in) {}
    // A text that lives until the next call with the same `slot` (0 .. 3); null at times.
    const char* Next(int slot);
    // The same, never null.
    const char* NextText(int slot) {
        const char* text = Next(slot);
        return text ? text : "";
    }

private:
    ByteReader& m_in;
    std::string m_texts[4];
};

// True when a and b hold the same bytes, ASCII letters compared without regard to case: how
// the library matches its names, written apart from the host's comparison.
bool SameIgnoringCase(const char* a, const char* b);

// Index containers under any index values and index texts (text_containers.cpp).
void FuzzContainers(ByteReader& in);
// StringInSet, method names and container ids, as the library matches them (text_names.cpp).
void FuzzStringInSet(ByteReader& in);
void FuzzMethodNames(ByteReader& in);
void FuzzContainerIds(ByteReader& in);
// Connection names of the multiports (text_ports.cpp).
void FuzzConnectionPorts(ByteReader& in);
// Residuals in prefix text and block programs (text_parsers.cpp).
void FuzzSchemeTexts(ByteReader& in);

} // namespace norvane::fuzz
