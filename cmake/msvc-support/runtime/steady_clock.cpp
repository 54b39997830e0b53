// std::chrono::steady_clock::now, which the C++ library's compiled part holds: the system's
// performance counter, in nanoseconds.
#include <chrono>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

_LIBCPP_BEGIN_NAMESPACE_STD
namespace chrono {

steady_clock::time_point steady_clock::now() noexcept {
    LARGE_INTEGER frequency;
    LARGE_INTEGER count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    // Whole seconds and the rest apart, so that the product never overflows.
    const long long seconds = count.QuadPart / frequency.QuadPart;
    const long long rest = count.QuadPart % frequency.QuadPart;
    return time_point(duration(seconds * 1000000000LL + rest * 1000000000LL / frequency.QuadPart));
}

} // namespace chrono
_LIBCPP_END_NAMESPACE_STD
