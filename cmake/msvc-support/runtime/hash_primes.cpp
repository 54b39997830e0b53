// The bucket counts of the C++ library's hash containers: the least prime that is not below n
// (0 for 0), as the library's compiled part gives it; beyond the largest prime of size_t the
// container cannot grow.
#include <cstddef>
#include <stdexcept>

namespace {

bool IsPrime(std::size_t n) {
    if (n < 4) return n >= 2;
    if (n % 2 == 0) return false;
    for (std::size_t divisor = 3; divisor <= n / divisor; divisor += 2)
        if (n % divisor == 0) return false;
    return true;
}

} // namespace

_LIBCPP_BEGIN_NAMESPACE_STD

size_t __next_prime(size_t n) {
    if (n == 0) return 0;
    for (size_t candidate = n; candidate != 0; ++candidate)
        if (IsPrime(candidate)) return candidate;
    __throw_overflow_error("__next_prime overflow");
}

_LIBCPP_END_NAMESPACE_STD
