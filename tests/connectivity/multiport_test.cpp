// Multiports: registration of CONNECTION, port numbering, and the creation and lookup of
// connection ports by name, bad names included.
#include "tests/connectivity/connectivity_fixture.h"

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

// A flavour with the base's set of connection names in reach of the test.
template <class Flavour>
struct Probe : Flavour {
    using QV_MULTIPORT_BaseType::ConnectionNames;
    const QV_SetValue& Names() { return ConnectionNames().Value(); }
};

template <class Flavour, class Port>
struct FlavourOf {
    using Type = Flavour;
    using PortType = Port;
};

template <class Traits>
class ConnectivityMultiport : public ::testing::Test {};

using AllFlavours = ::testing::Types<
    FlavourOf<QV_QV_MICONTROLPORT, QV_CONTROLPORT>, FlavourOf<QV_QV_MOCONTROLPORT, QV_CONTROLPORT>,
    FlavourOf<QV_QV_MIOCONTROLPORT, QV_CONTROLPORT>, FlavourOf<QV_QV_MIGENERICPORT, QV_GENERICPORT>,
    FlavourOf<QV_QV_MOGENERICPORT, QV_GENERICPORT>, FlavourOf<QV_QV_MIOGENERICPORT, QV_GENERICPORT>,
    FlavourOf<QV_QV_MICONNECTIONPORT, QV_CONNECTIONPORT>,
    FlavourOf<QV_QV_MOCONNECTIONPORT, QV_CONNECTIONPORT>,
    FlavourOf<QV_QV_MIOCONNECTIONPORT, QV_CONNECTIONPORT>>;
TYPED_TEST_SUITE(ConnectivityMultiport, AllFlavours);

TYPED_TEST(ConnectivityMultiport, RegistersConnectionDimensionedByTheNamesOfTheBase) {
    LeakGuard guard;
    Probe<typename TypeParam::Type> mp;
    ExpectRegistry(mp, {{"CONNECTION", "Active Multiport connections", 0, true, 0}},
                   {&mp.CONNECTION});
    EXPECT_EQ(mp.CONNECTION.m_DeclaredSets[0], &mp.ConnectionNames());
    EXPECT_EQ(mp.ConnectionNames().DependentCount(), 1);
    EXPECT_EQ(mp.Names().SetSize(), 0);
    EXPECT_EQ(&*mp, &mp);
}

TYPED_TEST(ConnectivityMultiport, IdentityIsTheHostBases) {
    typename TypeParam::Type mp;
    QV_PortType& port = mp;
    EXPECT_TRUE(port.IsAMultiport());
    EXPECT_STREQ(port.QV_DefaultDESCRIPTION(), "Port MULTIPORT\tV8.8");
    EXPECT_STREQ(TypeParam::Type::QV_ContainerId(), QV_MULTIPORT_BaseType::QV_ContainerId());
    EXPECT_TRUE(port.ContainerDerivesFrom("port multiport\tv8.8"));
}

TYPED_TEST(ConnectivityMultiport, CountsItselfFirstAndThenItsConnectionPorts) {
    LeakGuard guard;
    typename TypeParam::Type mp;
    QV_Type& asType = mp;
    EXPECT_EQ(asType.PortCount(false), 1);
    EXPECT_EQ(asType.PortCount(true), 1);
    QV_PortType* b = mp.CreateConnectionPort("b", 0);
    QV_PortType* a = mp.CreateConnectionPort("a", 0);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(asType.PortCount(true), 3);
    EXPECT_EQ(asType.PortCount(false), mp.CONNECTION.PortCount(false) + 1);

    int index = 0;
    EXPECT_EQ(asType.GetPort(index, true), &mp);
    EXPECT_EQ(index, -1);
    index = 1; // port 0 of CONNECTION: the first name in the set's order
    EXPECT_EQ(asType.GetPort(index, true), a);
    EXPECT_EQ(index, -1);
    index = 2;
    EXPECT_EQ(asType.GetPort(index, false), b);
    index = 3;
    EXPECT_EQ(asType.GetPort(index, false), nullptr);
    index = -5;
    EXPECT_EQ(asType.GetPort(index, false), &mp);
    EXPECT_EQ(index, -6);
}

TYPED_TEST(ConnectivityMultiport, CreatesOnePortPerNameAndFindsItAgain) {
    using Port = typename TypeParam::PortType;
    LeakGuard guard;
    Probe<typename TypeParam::Type> mp;
    QV_MULTIPORT_BaseType& base = mp; // the host calls through its own class
    QV_PortType* first = base.CreateConnectionPort("FEED", 31);
    ASSERT_NE(first, nullptr);
    EXPECT_NE(dynamic_cast<Port*>(first), nullptr);
    EXPECT_EQ(first->Parent(), &mp.CONNECTION);
    EXPECT_STREQ(first->IndexText(), "FEED");
    EXPECT_EQ(mp.Names().SetSize(), 1);
    EXPECT_STREQ(mp.Names().String(0), "FEED");
    EXPECT_EQ(mp.ConnectionNames().LastTagB(), 31u); // the unsigned rides in the QV_Value
    EXPECT_EQ(base.FindConnectionPort("FEED"), first);
    EXPECT_EQ(&mp.CONNECTION("FEED"), first);

    // The same name again: the existing port, the set unchanged.
    EXPECT_EQ(base.CreateConnectionPort("FEED", 32), first);
    EXPECT_EQ(mp.Names().SetSize(), 1);
    EXPECT_EQ(mp.ConnectionNames().LastTagB(), 32u);
    EXPECT_EQ(mp.CONNECTION.PortCount(false), 1);

    // An element is a port of type T built with true.
    Port* typed = static_cast<Port*>(first);
    const int expected = std::is_same_v<Port, QV_GENERICPORT> ? 3 : 0;
    EXPECT_EQ(typed->PropertyCount(), expected);
}

TYPED_TEST(ConnectivityMultiport, BadNamesAreHandledWithoutCorruption) {
    LeakGuard guard;
    Probe<typename TypeParam::Type> mp;
    QV_PortType* a = mp.CreateConnectionPort("a", 0);
    ASSERT_NE(a, nullptr);

    // Empty name: a connection of its own, found again.
    QV_PortType* empty = mp.CreateConnectionPort("", 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_NE(empty, a);
    EXPECT_EQ(mp.CreateConnectionPort("", 0), empty);
    EXPECT_EQ(mp.FindConnectionPort(""), empty);

    // A very long name is taken whole, never cut.
    const std::string longName(10000, 'x');
    QV_PortType* longPort = mp.CreateConnectionPort(longName.c_str(), 0);
    ASSERT_NE(longPort, nullptr);
    EXPECT_EQ(std::string(longPort->IndexText()), longName);
    EXPECT_EQ(mp.FindConnectionPort(longName.c_str()), longPort);
    const std::string cut(9999, 'x');
    QV_PortType* cutPort = mp.CreateConnectionPort(cut.c_str(), 0);
    ASSERT_NE(cutPort, nullptr);
    EXPECT_NE(cutPort, longPort);

    // Names with the characters of an index text are names like any other.
    QV_PortType* odd = mp.CreateConnectionPort("a,b)\"c", 0);
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(mp.FindConnectionPort("a,b)\"c"), odd);

    // A null name adds nothing and makes nothing.
    EXPECT_EQ(mp.CreateConnectionPort(nullptr, 0), nullptr);
    EXPECT_EQ(mp.FindConnectionPort(nullptr), nullptr);

    // Every earlier port is where it was; the set and the array agree.
    EXPECT_EQ(mp.FindConnectionPort("a"), a);
    EXPECT_EQ(mp.FindConnectionPort(""), empty);
    EXPECT_EQ(mp.FindConnectionPort(longName.c_str()), longPort);
    EXPECT_EQ(mp.Names().SetSize(), 5);
    EXPECT_EQ(mp.CONNECTION.IndexValues(0), mp.Names());
    EXPECT_EQ(mp.PortCount(false), 6);
    for (int k = 0; k < mp.Names().SetSize(); ++k) {
        int index = k + 1;
        QV_Type* port = mp.GetPort(index, false);
        ASSERT_NE(port, nullptr);
        EXPECT_STREQ(port->IndexText(), mp.Names().String(k));
    }
}

TYPED_TEST(ConnectivityMultiport, FindLeavesTheNamesAlone) {
    Probe<typename TypeParam::Type> mp;
    mp.CreateConnectionPort("known", 0);
    mp.FindConnectionPort("unknown"); // what the array makes of it is the host's
    EXPECT_EQ(mp.Names().SetSize(), 1);
    EXPECT_STREQ(mp.Names().String(0), "known");
}

TYPED_TEST(ConnectivityMultiport, CopiesItsDirectionAndExportSettingsToConnection) {
    Probe<typename TypeParam::Type> mp;
    mp.SetDirection(8);
    mp.HostPortType(3);
    ASSERT_NE(mp.CreateConnectionPort("x", 0), nullptr);
    EXPECT_EQ(mp.CONNECTION.Direction(), 8);
    EXPECT_TRUE(mp.CONNECTION.IsToBeExported());
    EXPECT_EQ(mp.CONNECTION.HostPortType(), 3);

    // On every call, also for a name that is already there and for a null name.
    mp.SetDirection(4);
    mp.HostPortType(4);
    mp.CreateConnectionPort("x", 0);
    EXPECT_EQ(mp.CONNECTION.Direction(), 4);
    EXPECT_EQ(mp.CONNECTION.HostPortType(), 4);
    mp.SetDirection(0);
    EXPECT_EQ(mp.CreateConnectionPort(nullptr, 0), nullptr);
    EXPECT_EQ(mp.CONNECTION.Direction(), 0);

    // Not to be exported: the array is not either, and keeps its host port type.
    mp.UnsetIsToBeExported();
    mp.HostPortType(9);
    mp.CreateConnectionPort("y", 0);
    EXPECT_FALSE(mp.CONNECTION.IsToBeExported());
    EXPECT_EQ(mp.CONNECTION.HostPortType(), 4);
    EXPECT_EQ(mp.Names().SetSize(), 2);
}

TYPED_TEST(ConnectivityMultiport, AssignsNamesEvenWhenTheUserFixedThem) {
    Probe<typename TypeParam::Type> mp;
    mp.ConnectionNames().UserSet(QV_StrSetValue("fixed"));
    // The status of Assign is not examined: the port is made all the same.
    EXPECT_NE(mp.CreateConnectionPort("other", 0), nullptr);
    EXPECT_EQ(mp.Names().SetSize(), 1);
    EXPECT_STREQ(mp.Names().String(0), "fixed");
}

TYPED_TEST(ConnectivityMultiport, DumpStructureIsTheHostPorts) {
    typename TypeParam::Type mp;
    static_cast<QV_PortType&>(mp).DumpStructure();
    EXPECT_EQ(mp.DumpCalls(), 1);
}

TYPED_TEST(ConnectivityMultiport, AssignmentCopiesNamesAndPortsButKeepsItsOwnWiring) {
    LeakGuard guard;
    Probe<typename TypeParam::Type> a;
    Probe<typename TypeParam::Type> b;
    a.CreateConnectionPort("old", 0);
    b.CreateConnectionPort("p", 0);
    b.CreateConnectionPort("q", 0);
    auto& result = (static_cast<typename TypeParam::Type&>(a) = b);
    EXPECT_EQ(&result, &a);
    EXPECT_EQ(a.Names(), b.Names());
    EXPECT_EQ(a.CONNECTION.PortCount(false), 2);
    QV_PortType* p = a.FindConnectionPort("p");
    ASSERT_NE(p, nullptr);
    EXPECT_NE(p, b.FindConnectionPort("p"));
    EXPECT_EQ(p->Parent(), &a.CONNECTION);
    EXPECT_EQ(a.CONNECTION.m_DeclaredSets[0], &a.ConnectionNames());
    EXPECT_EQ(a.PropertyAt(0), &a.CONNECTION);
    EXPECT_EQ(a.CONNECTION.Owner(), &a);
}

TYPED_TEST(ConnectivityMultiport, NewAndDeleteThroughTheHostBase) {
    LeakGuard guard;
    QV_MULTIPORT_BaseType* mp = new typename TypeParam::Type();
    ASSERT_NE(mp, nullptr);
    ASSERT_NE(mp->CreateConnectionPort("a", 0), nullptr);
    ASSERT_NE(mp->CreateConnectionPort("b", 0), nullptr);
    EXPECT_EQ(mp->PortCount(false), 3);
    delete mp;
}

TEST(ConnectivityMultiportFlavours, AreDistinctClassesOnTheirMultiport) {
    static_assert(std::is_base_of_v<QV_MULTIPORT<QV_CONTROLPORT>, QV_QV_MOCONTROLPORT>);
    static_assert(std::is_base_of_v<QV_MULTIPORT<QV_GENERICPORT>, QV_QV_MIOGENERICPORT>);
    static_assert(std::is_base_of_v<QV_MULTIPORT<QV_CONNECTIONPORT>, QV_QV_MICONNECTIONPORT>);
    static_assert(!std::is_copy_constructible_v<QV_QV_MICONTROLPORT>);
    static_assert(!std::is_constructible_v<QV_QV_MICONTROLPORT, bool>);
    QV_QV_MICONTROLPORT in;
    QV_QV_MOCONTROLPORT out;
    EXPECT_NE(typeid(in), typeid(out));
    EXPECT_EQ(typeid(static_cast<QV_MULTIPORT<QV_CONTROLPORT>&>(out)), typeid(QV_QV_MOCONTROLPORT));
}

} // namespace
} // namespace norvane::test
