// The texts the text target feeds the library: mostly names that the library knows or that
// repeat within one input, in any letter case; else any bytes the input holds, or no text at
// all (a null pointer). Also the comparison that the library's names are matched by, written
// independently of the host's: ASCII letters without regard to case, every other byte as is.
#pragma once

#include "fuzz/byte_reader.h"

#include <string>

namespace norvane::fuzz {

class TextSource {
public:
    explicit TextSource(ByteReader& in) : m_in(in) {}

    // A text that lives until the next call with the same `slot` (0 .. 3); null at times.
    const char* Next(int slot);
    // The same, never null.
    const char* NextText(int slot);

private:
    ByteReader& m_in;
    std::string m_texts[4];
};

// True when a and b hold the same bytes, ASCII letters compared without regard to case.
bool SameIgnoringCase(const char* a, const char* b);

} // namespace norvane::fuzz
