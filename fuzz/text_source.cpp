#include "fuzz/text_source.h"

#include <cctype>

namespace norvane::fuzz {
namespace {

// Names of the library and of the host, and short texts likely to collide in sets.
const char* const kPool[] = {"BFD1",       "ocfe3", "CFD4",  "idx",         "idxdy",
                             "None",       "",      "a",     "A",           "b",
                             " a",         "a,b",   "x)",    "\"",          "Model DOMAIN\tV8.8",
                             "FEED",       "feed",  "0",     "-1",          "Port MULTIPORT\tV8.8",
                             "2147483648", "idydz", "UBFD4", "LENGTHDOMAIN"};
constexpr int kPoolSize = static_cast<int>(sizeof kPool / sizeof kPool[0]);

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

const char* TextSource::Next(int slot) {
    std::string& text = m_texts[slot];
    const int code = m_in.Byte();
    if (code == 255) return nullptr;
    if (code >= 192) {
        text = m_in.Text();
        return text.c_str();
    }
    // A pool name with the letters whose bit is set in the next byte in the other case.
    text = kPool[code % kPoolSize];
    const int mask = m_in.Byte();
    for (std::size_t k = 0; k < text.size() && k < 8; ++k) {
        const unsigned char c = static_cast<unsigned char>(text[k]);
        if (mask & (1 << k))
            text[k] = static_cast<char>(std::isupper(c) ? std::tolower(c) : std::toupper(c));
    }
    return text.c_str();
}

const char* TextSource::NextText(int slot) {
    const char* text = Next(slot);
    return text ? text : "";
}

bool SameIgnoringCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        if (Lower(*a) != Lower(*b)) return false;
        if (*a == 0) return true;
    }
}

} // namespace norvane::fuzz
