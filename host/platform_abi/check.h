// A minimal check for the programs of the platform-interface build, which has no test
// framework: a failed check prints where it stands and what failed, and the program's exit
// status says whether any failed.
#pragma once

#include <string>

namespace platform_abi {

void ReportFailure(const char* file, int line, const std::string& message);
int Failures();

} // namespace platform_abi

// The message is built only when the condition fails.
#define ABI_CHECK(condition, message)                                                              \
    ((condition) ? static_cast<void>(0)                                                            \
                 : platform_abi::ReportFailure(__FILE__, __LINE__, (message)))
