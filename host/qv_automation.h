// The types that the automation operations of the host's objects name (QueryInterface,
// GetTypeInfo, GetIDsOfNames, Invoke), under the names that the operations' decorated names
// carry. This host has no automation and never looks into them: only the interface id is
// complete, so that a caller can make one to ask with. The platform's headers define the same
// names; no source includes them beside the host's class headers.
#pragma once

#include <cstdint>

struct _GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};
struct ITypeInfo;
struct tagDISPPARAMS;
struct tagVARIANT;
struct tagEXCEPINFO;

namespace qvhost {
// Results of the automation operations: 0 success, negative failure.
constexpr long AutomationDone = 0;
constexpr long NoSuchInterface = static_cast<std::int32_t>(0x80004002u);
constexpr long NotImplemented = static_cast<std::int32_t>(0x80004001u);
} // namespace qvhost
