// Reads a fuzz input front to back as a sequence of small decisions. Past the end every read
// gives zero, so any input, the empty one too, decodes to a complete request.
#pragma once

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace norvane::fuzz {

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t Byte() { return m_next < m_size ? m_data[m_next++] : 0; }

    bool Flag() { return (Byte() & 1) != 0; }

    // One of 0 .. count - 1.
    int Choice(int count) { return Byte() % count; }

    // Mostly a small integer in low .. low + span - 1; else any 32-bit integer.
    int SmallOrAnyInt(int low, int span) {
        const int code = Byte();
        if (code < 240) return low + code % span;
        return Int32();
    }

    // Four bytes as a signed 32-bit integer: every int, both limits included.
    std::int32_t Int32() { return Raw<std::int32_t>(); }

    // Up to 255 raw bytes, the count first: any text, quotes, NULs and non-ASCII included.
    std::string Text() {
        std::string text;
        for (int n = Byte(); n > 0 && m_next < m_size; --n)
            text += static_cast<char>(Byte());
        return text;
    }

    // `name` with the letters whose bit is set in the next byte in the other case.
    std::string InSomeCase(std::string name) {
        const int mask = Byte();
        for (std::size_t k = 0; k < name.size() && k < 8; ++k) {
            const int c = static_cast<unsigned char>(name[k]);
            if (mask & (1 << k))
                name[k] = static_cast<char>(std::isupper(c) ? std::tolower(c) : std::toupper(c));
        }
        return name;
    }

    // Mostly one of `names`, in any case; else any text.
    template <std::size_t N> std::string NameOrText(const char* const (&names)[N]) {
        const int code = Byte();
        return code < 224 ? InSomeCase(names[code % N]) : Text();
    }

    // Eight bytes as a double: every bit pattern, NaNs and infinities included.
    double RawDouble() { return Raw<double>(); }

private:
    // sizeof(T) bytes as the bits of a T, in the machine's byte order.
    template <class T> T Raw() {
        unsigned char bytes[sizeof(T)];
        for (unsigned char& byte : bytes)
            byte = Byte();
        T value;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }

    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_next = 0;
};

} // namespace norvane::fuzz
