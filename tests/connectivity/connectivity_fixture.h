// Shared pieces of the connectivity tests: the exported entry points as the host sees them,
// the expected registration of a property, and a guard that no library block stays live.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/library_api.h"
#include "host/qvcore.h"
#include "types/connectivity/connection.h"
#include "types/connectivity/connection_port.h"
#include "types/connectivity/control_port.h"
#include "types/connectivity/control_signal.h"
#include "types/connectivity/generic_connection.h"
#include "types/connectivity/generic_control_signal.h"
#include "types/connectivity/generic_model.h"
#include "types/connectivity/generic_port.h"
#include "types/connectivity/generic_stream.h"
#include "types/connectivity/generic_structure.h"

// The undecorated exports of the creatable types of this subsystem.
#define NORVANE_TEST_CREATABLE(TYPE, Class)                                                    \
    extern "C" NORVANE_API Class* TYPE##Factory();                                             \
    extern "C" NORVANE_API void* TYPE##PropertyInfo();                                         \
    extern "C" NORVANE_API const int _Compatibility##TYPE[2];

NORVANE_TEST_CREATABLE(GENERICMODEL, QV_GENERICMODEL)
NORVANE_TEST_CREATABLE(GENERICSTRUCTURE, QV_GENERICSTRUCTURE)
NORVANE_TEST_CREATABLE(GENERICSTREAM, QV_GENERICSTREAM)
NORVANE_TEST_CREATABLE(GENERICCONTROLSIGNAL, QV_GENERICCONTROLSIGNAL)
NORVANE_TEST_CREATABLE(CONTROLSIGNAL, QV_CONTROLSIGNAL)
NORVANE_TEST_CREATABLE(GENERICCONNECTION, QV_GENERICCONNECTION)
NORVANE_TEST_CREATABLE(CONNECTION, QV_CONNECTION)

namespace norvane::test {

// One row of a type's property table as the host registry must hold it.
struct ExpectedProperty {
    const char* name;
    const char* description; // null: registered without a description
    int direction;
    bool exported;
    int hostPortType;
};

// Compares the registry of `owner` with `expected`, row by row and in order; `members` are
// the member objects that must be the registered properties themselves.
inline void ExpectRegistry(const QV_Container& owner, const std::vector<ExpectedProperty>& expected,
                           const std::vector<const QV_Containable*>& members) {
    ASSERT_EQ(owner.PropertyCount(), static_cast<int>(expected.size()));
    ASSERT_EQ(members.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        SCOPED_TRACE(expected[k].name);
        const QV_Containable* p = owner.PropertyAt(static_cast<int>(k));
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p, members[k]);
        EXPECT_STREQ(p->Name(), expected[k].name);
        if (expected[k].description)
            EXPECT_STREQ(p->Description(), expected[k].description);
        else
            EXPECT_EQ(p->Description(), nullptr);
        EXPECT_EQ(p->Direction(), expected[k].direction);
        EXPECT_EQ(p->IsToBeExported(), expected[k].exported);
        EXPECT_EQ(p->HostPortType(), expected[k].hostPortType);
        EXPECT_EQ(p->RegistrationForm(), QV_RegistrationForm::Type);
        EXPECT_EQ(p->Owner(), &owner);
    }
}

// Fails the test when library blocks made inside the scope are still live at its end.
class LeakGuard {
public:
    LeakGuard() : m_before(qvhost::LiveBlocks()) {}
    ~LeakGuard() {
        qvhost::FailAllocation(0);
        EXPECT_EQ(qvhost::LiveBlocks(), m_before) << "library blocks leaked or freed twice";
    }
    LeakGuard(const LeakGuard&) = delete;
    LeakGuard& operator=(const LeakGuard&) = delete;

private:
    long m_before;
};

// The container id with its tab and version cut off ("Model CONNECTION").
inline std::string CutBeforeTab(const char* id) {
    const char* tab = std::strchr(id, '\t');
    return tab ? std::string(id, tab) : std::string(id);
}

inline std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

} // namespace norvane::test
