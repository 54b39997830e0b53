// Shared by the connectivity tests: the connection's factory and a leak guard.
#pragma once

#include <gtest/gtest.h>

#include "framework/library_api.h"
#include "types/connectivity/connection.h"
#include "types/connectivity/control_signal.h"
#include "types/connectivity/generic_model.h"
#include "types/connectivity/generic_port.h"
#include "types/connectivity/generic_stream.h"
#include "types/connectivity/generic_structure.h"

extern "C" NORVANE_API QV_CONNECTION* CONNECTIONFactory();

namespace norvane::test {

// Fails the test when library blocks made inside the scope are still live at its end.
struct LeakGuard {
    long before = qvhost::LiveBlocks();
    ~LeakGuard() {
        qvhost::FailAllocation(0);
        EXPECT_EQ(qvhost::LiveBlocks(), before) << "library blocks leaked or freed twice";
    }
};

} // namespace norvane::test
