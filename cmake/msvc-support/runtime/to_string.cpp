// std::to_string of the integers, which the C++ library's compiled part holds.
#include <cstdio>
#include <string>

namespace {

template <class Integer> std::string Decimal(const char* format, Integer value) {
    char text[24];
    const int length = std::snprintf(text, sizeof text, format, value);
    return std::string(text, static_cast<std::size_t>(length));
}

} // namespace

_LIBCPP_BEGIN_NAMESPACE_STD

string to_string(int value) {
    return Decimal("%d", value);
}
string to_string(unsigned value) {
    return Decimal("%u", value);
}
string to_string(long value) {
    return Decimal("%ld", value);
}
string to_string(unsigned long value) {
    return Decimal("%lu", value);
}
string to_string(long long value) {
    return Decimal("%lld", value);
}
string to_string(unsigned long long value) {
    return Decimal("%llu", value);
}

_LIBCPP_END_NAMESPACE_STD
