// The nine multiport flavours: numbering, ports by name (bad names too), copying, no leaks.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "types/connectivity/generic_model.h"
#include "types/connectivity/mi_connection_port.h"
#include "types/connectivity/mi_control_port.h"
#include "types/connectivity/mi_generic_port.h"
#include "types/connectivity/mio_connection_port.h"
#include "types/connectivity/mio_control_port.h"
#include "types/connectivity/mio_generic_port.h"
#include "types/connectivity/mo_connection_port.h"
#include "types/connectivity/mo_control_port.h"
#include "types/connectivity/mo_generic_port.h"

namespace norvane::test {
namespace {

// Fails the test when library blocks made inside the scope are still live at its end.
struct LeakGuard {
    long before = qvhost::LiveBlocks();
    ~LeakGuard() {
        qvhost::FailAllocation(0);
        EXPECT_EQ(qvhost::LiveBlocks(), before) << "library blocks leaked or freed twice";
    }
};

// A flavour with its port type and the base's set of connection names in reach of the test.
template <class Flavour, class Port> struct Probe : Flavour {
    using PortType = Port;
    QV_STRINGSET& ConnectionNames() { return this->m_connectionNames; }
    const QV_SetValue& Names() { return ConnectionNames().Value(); }
};

template <class P> class ConnectivityMultiport : public ::testing::Test {};
using AllFlavours = ::testing::Types<
    Probe<QV_QV_MICONTROLPORT, QV_CONTROLPORT>, Probe<QV_QV_MOCONTROLPORT, QV_CONTROLPORT>,
    Probe<QV_QV_MIOCONTROLPORT, QV_CONTROLPORT>, Probe<QV_QV_MIGENERICPORT, QV_GENERICPORT>,
    Probe<QV_QV_MOGENERICPORT, QV_GENERICPORT>, Probe<QV_QV_MIOGENERICPORT, QV_GENERICPORT>,
    Probe<QV_QV_MICONNECTIONPORT, QV_CONNECTIONPORT>,
    Probe<QV_QV_MOCONNECTIONPORT, QV_CONNECTIONPORT>,
    Probe<QV_QV_MIOCONNECTIONPORT, QV_CONNECTIONPORT>>;
TYPED_TEST_SUITE(ConnectivityMultiport, AllFlavours);

TYPED_TEST(ConnectivityMultiport, NumbersItselfFirstThenItsConnectionsInSetOrder) {
    LeakGuard guard;
    TypeParam mp;
    ASSERT_EQ(mp.PropertyCount(), 1);
    EXPECT_EQ(mp.PropertyAt(0), &mp.CONNECTION);
    EXPECT_STREQ(mp.CONNECTION.Name(), "CONNECTION");
    EXPECT_STREQ(mp.CONNECTION.Description(), "Active Multiport connections");
    EXPECT_EQ(mp.CONNECTION.m_DeclaredSets[0], &mp.ConnectionNames());
    QV_PortType* b = mp.CreateConnectionPort("b", 0);
    QV_PortType* a = mp.CreateConnectionPort("a", 0);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(mp.PortCount(false), 3);
    const QV_Type* expected[] = {&mp, a, b, nullptr};
    for (int k = 0; k < 4; ++k) {
        int index = k;
        EXPECT_EQ(mp.GetPort(index, false), expected[k]) << k;
    }
}

TYPED_TEST(ConnectivityMultiport, MakesOnePortPerNameAndFindsItAgain) {
    using Port = typename TypeParam::PortType;
    LeakGuard guard;
    TypeParam mp;
    QV_MULTIPORT_BaseType& base = mp; // the host calls through its own class
    QV_PortType* feed = base.CreateConnectionPort("FEED", 31);
    ASSERT_NE(dynamic_cast<Port*>(feed), nullptr);
    EXPECT_EQ(feed->Parent(), &mp.CONNECTION);
    EXPECT_EQ(mp.ConnectionNames().LastTagB(), 31u); // the value rides with the new name

    // Already present, empty, and 10 000 characters long: each name is one port, kept whole.
    for (const std::string& name : {std::string("FEED"), std::string(), std::string(10000, 'x')}) {
        QV_PortType* port = base.CreateConnectionPort(name.c_str(), 0);
        ASSERT_NE(port, nullptr);
        EXPECT_EQ(port->IndexText(), name);
        EXPECT_EQ(base.CreateConnectionPort(name.c_str(), 0), port);
        EXPECT_EQ(base.FindConnectionPort(name.c_str()), port);
    }
    EXPECT_EQ(base.CreateConnectionPort(nullptr, 0), nullptr);
    EXPECT_EQ(base.FindConnectionPort(nullptr), nullptr);
    EXPECT_EQ(mp.Names().SetSize(), 3);
    EXPECT_EQ(mp.CONNECTION.IndexValues(0), mp.Names());
    base.FindConnectionPort("unknown"); // finding adds no name
    EXPECT_EQ(mp.Names().SetSize(), 3);

    // A name set fixed by the user keeps its value, and the port is made all the same.
    mp.ConnectionNames().UserSet(QV_StrSetValue("fixed"));
    EXPECT_NE(base.CreateConnectionPort("other", 0), nullptr);
    EXPECT_STREQ(mp.Names().String(0), "fixed");
}

TYPED_TEST(ConnectivityMultiport, GivesConnectionItsDirectionAndExportOnEveryCall) {
    TypeParam mp;
    const auto wiring = [&mp] {
        return std::make_tuple(mp.CONNECTION.Direction(), mp.CONNECTION.IsToBeExported(),
                               mp.CONNECTION.HostPortType());
    };
    mp.SetDirection(8);
    mp.HostPortType(3);
    ASSERT_NE(mp.CreateConnectionPort("x", 0), nullptr);
    EXPECT_EQ(wiring(), std::make_tuple(8, true, 3));
    mp.SetDirection(4);
    mp.HostPortType(4);
    EXPECT_EQ(mp.CreateConnectionPort(nullptr, 0), nullptr);
    EXPECT_EQ(wiring(), std::make_tuple(4, true, 4)); // a null name too
    // Not to be exported: neither is CONNECTION, which keeps its host port type.
    mp.UnsetIsToBeExported();
    mp.HostPortType(9);
    mp.CreateConnectionPort("x", 0);
    EXPECT_EQ(wiring(), std::make_tuple(4, false, 4));
}

TYPED_TEST(ConnectivityMultiport, AssignmentCopiesNamesAndPortsIntoItsOwnWiring) {
    LeakGuard guard;
    TypeParam a;
    TypeParam b;
    a.CreateConnectionPort("old", 0);
    b.CreateConnectionPort("p", 0);
    b.CreateConnectionPort("q", 0);
    a = b;
    EXPECT_EQ(a.Names(), b.Names());
    EXPECT_EQ(a.PortCount(false), 3);
    QV_PortType* p = a.FindConnectionPort("p");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Parent(), &a.CONNECTION);
    EXPECT_EQ(a.CONNECTION.m_DeclaredSets[0], &a.ConnectionNames());
}

// One create/connect/release cycle of the host; it takes a null at any step.
void Cycle() {
    if (auto* mp = norvane::LibraryNew<QV_QV_MIOCONNECTIONPORT>()) {
        mp->CreateConnectionPort("first", 0);
        mp->CreateConnectionPort("second", 0);
        mp->CreateConnectionPort("first", 0);
        mp->FindConnectionPort("third");
        delete mp;
    }
    if (auto* mp = norvane::LibraryNew<QV_QV_MOGENERICPORT>()) {
        mp->CreateConnectionPort("x", 0);
        QV_QV_MOGENERICPORT copy;
        copy = *mp; // the copy makes ports of its own
        delete mp;
    }
}

TEST(ConnectivityAllocation, FailingEachAllocationInTurnLeaksNothing) {
    LeakGuard guard;
    long before = qvhost::AllocationCalls();
    Cycle();
    const long allocations = qvhost::AllocationCalls() - before;
    ASSERT_GT(allocations, 5);
    for (long k = 1; k <= allocations; ++k) {
        SCOPED_TRACE(k);
        const long live = qvhost::LiveBlocks();
        before = qvhost::AllocationCalls();
        qvhost::FailAllocation(k);
        Cycle();
        qvhost::FailAllocation(0);
        EXPECT_GE(qvhost::AllocationCalls() - before, k) << "the failure did not fire";
        EXPECT_EQ(qvhost::LiveBlocks(), live);
    }
}

// The host connects a port to a multiport through a connection port of its own, named after
// the port it connects (numbered for a port without a name); a disconnection ends only that one.
TEST(ConnectivityMultiportConnections, EachConnectionHasAPortOfItsOwn) {
    LeakGuard guard;
    QV_GENERICMODEL model;
    QV_CONTROLPORT unnamed;
    {
        QV_QV_MIOCONTROLPORT mp;
        EXPECT_FALSE(mp.Connect(nullptr));
        EXPECT_FALSE(mp.Connect(&mp));
        ASSERT_TRUE(mp.Connect(&model.INPUTSIGNAL));
        ASSERT_TRUE(mp.Connect(&unnamed));
        QV_PortType* named = mp.FindConnectionPort("INPUTSIGNAL");
        QV_PortType* numbered = mp.FindConnectionPort("2");
        ASSERT_NE(named, numbered);
        EXPECT_EQ(named->ConnectedTo(), &model.INPUTSIGNAL);
        EXPECT_EQ(numbered->ConnectedTo(), &unnamed);
        EXPECT_EQ(mp.PortCount(false), 3);

        mp.Disconnect(&model.INPUTSIGNAL);
        EXPECT_EQ(named->ConnectedTo(), nullptr);
        EXPECT_EQ(numbered->ConnectedTo(), &unnamed);
        mp.Disconnect(nullptr);
        EXPECT_EQ(numbered->ConnectedTo(), nullptr);
    }
}

} // namespace
} // namespace norvane::test
