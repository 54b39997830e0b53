// A fault found by a fuzz target: the message goes to stderr and the process aborts, so that
// libFuzzer reports a crash and keeps the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace norvane::fuzz {

template <class... Args> [[noreturn]] void Fault(const char* format, Args... args) {
    std::fprintf(stderr, "fault: ");
    if constexpr (sizeof...(Args) == 0)
        std::fputs(format, stderr);
    else
        std::fprintf(stderr, format, args...);
    std::fputc('\n', stderr);
    std::abort();
}

} // namespace norvane::fuzz
