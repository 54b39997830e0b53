// Creation when the host's allocator refuses: factories and on-demand connection ports return
// null and leak nothing; repeated create/connect/release cycles leave no block behind.
#include "tests/connectivity/connectivity_fixture.h"

#include "types/connectivity/mi_generic_port.h"
#include "types/connectivity/mio_connection_port.h"
#include "types/connectivity/mo_control_port.h"

namespace norvane::test {
namespace {

using Factory = QV_ModelType* (*)();

template <class Class, Class* (*Make)()>
QV_ModelType* AsModel() {
    return Make();
}

struct NamedFactory {
    const char* type;
    Factory make;
};

const NamedFactory kFactories[] = {
    {"GENERICMODEL", AsModel<QV_GENERICMODEL, GENERICMODELFactory>},
    {"GENERICSTRUCTURE", AsModel<QV_GENERICSTRUCTURE, GENERICSTRUCTUREFactory>},
    {"GENERICSTREAM", AsModel<QV_GENERICSTREAM, GENERICSTREAMFactory>},
    {"GENERICCONTROLSIGNAL", AsModel<QV_GENERICCONTROLSIGNAL, GENERICCONTROLSIGNALFactory>},
    {"CONTROLSIGNAL", AsModel<QV_CONTROLSIGNAL, CONTROLSIGNALFactory>},
    {"GENERICCONNECTION", AsModel<QV_GENERICCONNECTION, GENERICCONNECTIONFactory>},
    {"CONNECTION", AsModel<QV_CONNECTION, CONNECTIONFactory>},
};

TEST(ConnectivityAllocation, FactoryReturnsNullWhenTheAllocatorRefuses) {
    for (const NamedFactory& f : kFactories) {
        SCOPED_TRACE(f.type);
        LeakGuard guard;
        const long calls = qvhost::AllocationCalls();
        qvhost::FailAllocation(1);
        EXPECT_EQ(f.make(), nullptr);
        EXPECT_EQ(qvhost::AllocationCalls(), calls + 1);
        // The allocator works again: so does the factory.
        QV_ModelType* object = f.make();
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->Release(), 0u);
    }
}

TEST(ConnectivityAllocation, RefusedConnectionPortIsNullAndTheNextTryMakesIt) {
    LeakGuard guard;
    QV_QV_MIGENERICPORT mp;
    ASSERT_NE(mp.CreateConnectionPort("a", 0), nullptr);
    const long live = qvhost::LiveBlocks();
    qvhost::FailAllocation(1);
    EXPECT_EQ(mp.CreateConnectionPort("b", 0), nullptr);
    EXPECT_EQ(qvhost::LiveBlocks(), live);
    EXPECT_EQ(mp.PortCount(false), 2); // the multiport and "a"

    QV_PortType* b = mp.CreateConnectionPort("b", 0);
    ASSERT_NE(b, nullptr);
    EXPECT_STREQ(b->IndexText(), "b");
    EXPECT_EQ(mp.CreateConnectionPort("b", 0), b);
    EXPECT_EQ(mp.PortCount(false), 3);

    qvhost::FailAllocation(1);
    EXPECT_EQ(mp.FindConnectionPort("c"), nullptr);
    EXPECT_NE(mp.FindConnectionPort("c"), nullptr);
}

// One create/connect/release cycle of the host: tolerates a null at every step.
void Cycle() {
    if (QV_CONNECTION* connection = CONNECTIONFactory()) {
        connection->SetDims();
        connection->ExecuteAssignments(2, 1);
        connection->SetUpEquations();
        connection->Release();
    }
    if (QV_GENERICSTREAM* stream = GENERICSTREAMFactory()) {
        stream->AddRef();
        stream->Release();
        stream->Release();
    }
    if (QV_CONTROLSIGNAL* signal = CONTROLSIGNALFactory()) signal->Release();
    if (QV_QV_MIOCONNECTIONPORT* mp = new QV_QV_MIOCONNECTIONPORT()) {
        mp->CreateConnectionPort("first", 0);
        mp->CreateConnectionPort("second", 0);
        mp->CreateConnectionPort("first", 0);
        mp->CreateConnectionPort("", 0);
        mp->FindConnectionPort("third");
        int index = 2;
        mp->GetPort(index, false);
        delete mp;
    }
    if (QV_QV_MOCONTROLPORT* mp = new QV_QV_MOCONTROLPORT()) {
        mp->CreateConnectionPort("x", 0);
        QV_QV_MOCONTROLPORT copy;
        copy = *mp; // copies the ports: new elements
        delete mp;
    }
}

TEST(ConnectivityAllocation, FailingEachAllocationInTurnLeaksNothing) {
    LeakGuard guard;
    // A clean run first: how many allocations one cycle makes.
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

TEST(ConnectivityAllocation, RepeatedCyclesLeaveNoBlockBehind) {
    const long live = qvhost::LiveBlocks();
    for (int round = 0; round < 50; ++round) Cycle();
    EXPECT_EQ(qvhost::LiveBlocks(), live);
}

} // namespace
} // namespace norvane::test
