#include "host/platform_abi/check.h"

#include <cstdio>

namespace platform_abi {
namespace {
int g_failures = 0;
} // namespace

void ReportFailure(const char* file, int line, const std::string& message) {
    ++g_failures;
    std::printf("%s:%d: FAILED: %s\n", file, line, message.c_str());
}

int Failures() {
    return g_failures;
}

} // namespace platform_abi
