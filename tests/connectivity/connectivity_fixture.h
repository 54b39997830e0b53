// The exports as the host sees them, the expected registry of a container, a leak guard.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "framework/library_api.h"
#include "types/connectivity/connection.h"
#include "types/connectivity/control_signal.h"
#include "types/connectivity/generic_model.h"
#include "types/connectivity/generic_port.h"
#include "types/connectivity/generic_stream.h"
#include "types/connectivity/generic_structure.h"

#define NORVANE_TEST_CREATABLE(TYPE, Class)                                                        \
    extern "C" NORVANE_API Class* TYPE##Factory();                                                 \
    extern "C" NORVANE_API void* TYPE##PropertyInfo();                                             \
    extern "C" NORVANE_API const int _Compatibility##TYPE[2];

NORVANE_TEST_CREATABLE(GENERICMODEL, QV_GENERICMODEL)
NORVANE_TEST_CREATABLE(GENERICSTRUCTURE, QV_GENERICSTRUCTURE)
NORVANE_TEST_CREATABLE(GENERICSTREAM, QV_GENERICSTREAM)
NORVANE_TEST_CREATABLE(GENERICCONTROLSIGNAL, QV_GENERICCONTROLSIGNAL)
NORVANE_TEST_CREATABLE(CONTROLSIGNAL, QV_CONTROLSIGNAL)
NORVANE_TEST_CREATABLE(GENERICCONNECTION, QV_GENERICCONNECTION)
NORVANE_TEST_CREATABLE(CONNECTION, QV_CONNECTION)

namespace norvane::test {

// One registered property: its registration and the member that must be the property itself.
struct Row {
    const char* name;
    int direction;
    bool exported;
    int hostPortType;
    const QV_Containable* member;
    const char* description = nullptr;
};

// The registry of `owner` holds exactly `rows`, in order.
inline void ExpectRegistry(const QV_Container& owner, const std::vector<Row>& rows) {
    ASSERT_EQ(owner.PropertyCount(), static_cast<int>(rows.size()));
    for (std::size_t k = 0; k < rows.size(); ++k) {
        SCOPED_TRACE(rows[k].name);
        const QV_Containable* p = owner.PropertyAt(static_cast<int>(k));
        EXPECT_EQ(p, rows[k].member);
        EXPECT_STREQ(p->Name(), rows[k].name);
        EXPECT_STREQ(p->Description(), rows[k].description);
        EXPECT_EQ(p->Direction(), rows[k].direction);
        EXPECT_EQ(p->IsToBeExported(), rows[k].exported);
        EXPECT_EQ(p->HostPortType(), rows[k].hostPortType);
    }
}

// Fails the test when library blocks made inside the scope are still live at its end.
struct LeakGuard {
    long before = qvhost::LiveBlocks();
    ~LeakGuard() {
        qvhost::FailAllocation(0);
        EXPECT_EQ(qvhost::LiveBlocks(), before) << "library blocks leaked or freed twice";
    }
};

} // namespace norvane::test
