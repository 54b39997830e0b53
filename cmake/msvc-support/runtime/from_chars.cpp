// The reading of a double that std::from_chars calls, which the C++ library's compiled part
// holds, in the general format (the one the library reads; another format is refused as an
// invalid argument): an optional '-', decimal digits with an optional point and exponent, or
// "inf", "infinity", "nan" and "nan(...)" in any case; no blank, no '+' and no hexadecimal. The
// longest such prefix is converted by the runtime under the "C" locale, so the result is the
// nearest double whatever the process's locale. A value beyond the double range, or one that
// rounds to zero from a nonzero text, is out of range; from_chars then stores what the runtime
// read (an infinity or zero), as it stores every result but an invalid argument.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <locale.h>
#include <new>
#include <type_traits>

extern "C" _ACRTIMP double __cdecl _strtod_l(const char* text, char** end, _locale_t locale);

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when [p, last) starts with `word` (lower case), in any case.
bool StartsWith(const char* p, const char* last, const char* word) {
    const std::size_t length = std::strlen(word);
    if (static_cast<std::size_t>(last - p) < length) return false;
    for (std::size_t i = 0; i < length; ++i)
        if (Lower(p[i]) != word[i]) return false;
    return true;
}

const char* SkipDigits(const char* p, const char* last) {
    while (p != last && IsDigit(*p))
        ++p;
    return p;
}

// The end of the longest number at `p` (after the sign), or null when there is none; `nonzero`
// tells whether a digit other than 0 stands in its digits.
const char* ScanNumber(const char* p, const char* last, bool& nonzero) {
    const char* digitsEnd = SkipDigits(p, last);
    const char* end = digitsEnd;
    if (end != last && *end == '.') end = SkipDigits(end + 1, last);
    if (end - p == (end != digitsEnd ? 1 : 0)) return nullptr; // no digit at all
    nonzero = std::find_if(p, end, [](char c) { return c >= '1' && c <= '9'; }) != end;
    if (end != last && (*end == 'e' || *end == 'E')) {
        const char* exponent = end + 1;
        if (exponent != last && (*exponent == '+' || *exponent == '-')) ++exponent;
        const char* exponentEnd = SkipDigits(exponent, last);
        if (exponentEnd != exponent) end = exponentEnd;
    }
    return end;
}

// The end of "inf", "infinity", "nan" or "nan(letters, digits, _)" at `p`, or null.
const char* ScanSpecial(const char* p, const char* last) {
    if (StartsWith(p, last, "infinity")) return p + 8;
    if (StartsWith(p, last, "inf")) return p + 3;
    if (!StartsWith(p, last, "nan")) return nullptr;
    const char* end = p + 3;
    if (end == last || *end != '(') return end;
    const char* tag = end + 1;
    while (tag != last &&
           (IsDigit(*tag) || (Lower(*tag) >= 'a' && Lower(*tag) <= 'z') || *tag == '_'))
        ++tag;
    return tag != last && *tag == ')' ? tag + 1 : end;
}

_locale_t ClassicLocale() {
    static const _locale_t locale = _create_locale(LC_ALL, "C");
    return locale;
}

} // namespace

_LIBCPP_BEGIN_NAMESPACE_STD

template <class Real>
__from_chars_result<Real> __from_chars_floating_point(_LIBCPP_NOESCAPE const char* first,
                                                      _LIBCPP_NOESCAPE const char* last,
                                                      chars_format format) {
    static_assert(is_same<Real, double>::value, "the runtime reads doubles");
    if (format != chars_format::general) return {0.0, 0, errc::invalid_argument};
    const bool negative = first != last && *first == '-';
    const char* start = first + (negative ? 1 : 0);
    if (const char* end = ScanSpecial(start, last)) {
        const double magnitude = Lower(*start) == 'i' ? HUGE_VAL : std::nan("");
        return {negative ? -magnitude : magnitude, end - first, errc()};
    }
    bool nonzero = false;
    const char* end = ScanNumber(start, last, nonzero);
    if (!end) return {0.0, 0, errc::invalid_argument};

    // The runtime reads a terminated text: short ones are copied to the stack, longer ones to a
    // block of the module's allocator (in the model-type library: the host's).
    const std::size_t length = static_cast<std::size_t>(end - first);
    char small[128];
    char* text = length < sizeof small
                     ? small
                     : static_cast<char*>(::operator new(length + 1, std::nothrow));
    if (!text) return {0.0, 0, errc::not_enough_memory};
    std::memcpy(text, first, length);
    text[length] = '\0';
    const double read = _strtod_l(text, nullptr, ClassicLocale());
    if (text != small) ::operator delete(text);
    const bool outOfRange = std::isinf(read) || (read == 0.0 && nonzero);
    return {read, end - first, outOfRange ? errc::result_out_of_range : errc()};
}

template __from_chars_result<double> __from_chars_floating_point(_LIBCPP_NOESCAPE const char*,
                                                                 _LIBCPP_NOESCAPE const char*,
                                                                 chars_format);

_LIBCPP_END_NAMESPACE_STD
