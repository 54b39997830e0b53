// The ten generated types of the subsystem: what each registers, its id and parent, how each
// operation chains to the parent level and the host, and the exports of the creatable types.
#include "tests/connectivity/connectivity_fixture.h"

#include <cctype>
#include <string>
#include <tuple>

namespace norvane::test {
namespace {

// A type's container id and its registered properties.
struct Table {
    const char* id;
    std::vector<Row> rows;
};

Table TableOf(const QV_GENERICPORT& t) {
    return {"Port GENERICPORT\tV8.8",
            {{"ISCONNECTED", 0, true, 0, &t.ISCONNECTED},
             {"ISLINKED", 0, true, 0, &t.ISLINKED},
             {"COMPONENTLIST", 0, true, 0, &t.COMPONENTLIST}}};
}
Table TableOf(const QV_CONTROLPORT&) {
    return {"Port CONTROLPORT\tV8.8", {}};
}
Table TableOf(const QV_CONNECTIONPORT&) {
    return {"Port CONNECTIONPORT\tV8.8", {}};
}
Table TableOf(const QV_GENERICMODEL& t) {
    return {"Model GENERICMODEL\tV8.8",
            {{"USERNOTES", 0, true, 0, &t.USERNOTES},
             {"COMPONENTLIST", 0, true, 0, &t.COMPONENTLIST},
             {"INPUTSIGNAL", 4, false, 0, &t.INPUTSIGNAL},
             {"OUTPUTSIGNAL", 8, false, 0, &t.OUTPUTSIGNAL}}};
}
Table TableOf(const QV_GENERICSTRUCTURE& t) {
    return {
        "Structure GENERICSTRUCTURE\tV8.8",
        {{"USERNOTES", 0, true, 0, &t.USERNOTES}, {"COMPONENTLIST", 0, true, 0, &t.COMPONENTLIST}}};
}
Table TableOf(const QV_GENERICSTREAM& t) {
    return {"Stream GENERICSTREAM\tV8.8",
            {{"USERNOTES", 0, true, 0, &t.USERNOTES},
             {"COMPONENTLIST", 0, true, 0, &t.COMPONENTLIST},
             {"QV_UNCONNECTABLEINPUT", 4, false, 0, &t.QV_UNCONNECTABLEINPUT},
             {"QV_UNCONNECTABLEOUTPUT", 8, false, 0, &t.QV_UNCONNECTABLEOUTPUT},
             {"INPUTSIGNAL", 4, false, 0, &t.INPUTSIGNAL},
             {"OUTPUTSIGNAL", 8, false, 0, &t.OUTPUTSIGNAL}}};
}
Table TableOf(const QV_GENERICCONTROLSIGNAL& t) {
    return {"Model GENERICCONTROLSIGNAL\tV8.8",
            {{"USERNOTES", 0, true, 0, &t.USERNOTES},
             {"SOURCE", 4, false, 0, &t.SOURCE},
             {"DEST", 8, false, 0, &t.DEST}}};
}
Table TableOf(const QV_CONTROLSIGNAL& t) {
    return {"Model CONTROLSIGNAL\tV8.8",
            TableOf(static_cast<const QV_GENERICCONTROLSIGNAL&>(t)).rows};
}
Table TableOf(const QV_GENERICCONNECTION& t) {
    return {"Model GENERICCONNECTION\tV8.8",
            {{"USERNOTES", 0, true, 0, &t.USERNOTES},
             {"SOURCE", 4, true, 4, &t.SOURCE},
             {"DEST", 8, true, 4, &t.DEST}}};
}
Table TableOf(const QV_CONNECTION& t) {
    return {"Model CONNECTION\tV8.8", TableOf(static_cast<const QV_GENERICCONNECTION&>(t)).rows};
}

// A type and its generated parent (itself when it has none).
template <class T, class P = T> struct Case {
    using Type = T;
    using Parent = P;
};

using Cases =
    std::tuple<Case<QV_GENERICPORT>, Case<QV_CONTROLPORT>, Case<QV_CONNECTIONPORT>,
               Case<QV_GENERICMODEL>, Case<QV_GENERICSTRUCTURE>, Case<QV_GENERICSTREAM>,
               Case<QV_GENERICCONTROLSIGNAL>, Case<QV_CONTROLSIGNAL, QV_GENERICCONTROLSIGNAL>,
               Case<QV_GENERICCONNECTION>, Case<QV_CONNECTION, QV_GENERICCONNECTION>>;
template <class Tuple> struct Listed;
template <class... C> struct Listed<std::tuple<C...>> {
    using Types = ::testing::Types<C...>;
    static std::vector<std::string> Ids() { return {C::Type::QV_ContainerId()...}; }
};

template <class C> class ConnectivityGeneratedType : public ::testing::Test {};
TYPED_TEST_SUITE(ConnectivityGeneratedType, Listed<Cases>::Types);

TYPED_TEST(ConnectivityGeneratedType, RegistersItsTableWhenConstructed) {
    using T = typename TypeParam::Type;
    T unbuilt(false);
    EXPECT_EQ(unbuilt.PropertyCount(), 0);
    unbuilt.Construct(); // a subclass built with false registers its parent's part here too
    ExpectRegistry(unbuilt, TableOf(unbuilt).rows);

    T object(true);
    const Table table = TableOf(object);
    ExpectRegistry(object, table.rows);
    QV_Container& c = object;
    EXPECT_STREQ(c.QV_DefaultDESCRIPTION(), table.id);
    // The host's questions are answered with the type's own member, when it has one.
    EXPECT_EQ(c.ComponentList(), object.FindProperty("COMPONENTLIST"));
    EXPECT_EQ(c.IsConnected(), object.FindProperty("ISCONNECTED"));
}

TYPED_TEST(ConnectivityGeneratedType, DerivesFromItsOwnAndItsParentsIdOnly) {
    using T = typename TypeParam::Type;
    T object(true);
    QV_Container& c = object;
    std::string id = T::QV_ContainerId();
    EXPECT_FALSE(c.ContainerDerivesFrom(id.substr(0, id.find('\t')).c_str())); // cut id
    for (const std::string& other : Listed<Cases>::Ids())
        EXPECT_EQ(c.ContainerDerivesFrom(other.c_str()),
                  other == id || other == TypeParam::Parent::QV_ContainerId())
            << other;
    for (char& ch : id)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    EXPECT_TRUE(c.ContainerDerivesFrom(id.c_str())); // case does not matter
}

// The three counters of one generated level L of an object.
template <class L> std::tuple<int&, int&, int&> Counters(L& level) {
    return std::tie(level.m_groupBase, level.m_eqnCount, level.m_patternCount);
}

TYPED_TEST(ConnectivityGeneratedType, PassesGoThroughEachLevelToTheHostAndCopiesKeepCounters) {
    using T = typename TypeParam::Type;
    using P = typename TypeParam::Parent;
    T object(true);
    QV_ModelType& m = object;
    EXPECT_EQ(m.ExecuteAssignments(10, 3), 0);
    EXPECT_EQ(object.HostAssignmentCalls(), 1);
    EXPECT_EQ(object.LastHostAssignmentA(), (std::is_same_v<T, P> ? 9 : 8)); // a-1 per level
    EXPECT_EQ(object.LastHostAssignmentB(), 3);
    m.SetDims();
    EXPECT_EQ(object.SetDimsCalls(), 1);

    const int savedGroup = QV_ModelType::m_stLastGroup;
    Counters<P>(object) = Counters<T>(object) = std::make_tuple(7, 7, 7);
    QV_ModelType::m_stLastGroup = 12;
    EXPECT_EQ(m.SetUpEquations(), 0);
    EXPECT_EQ(Counters<T>(object), std::make_tuple(12, 0, 7));
    EXPECT_EQ(Counters<P>(object), std::make_tuple(12, 0, 7));
    // A failure of the host part comes back as it is and leaves every level's counters alone.
    Counters<P>(object) = Counters<T>(object) = std::make_tuple(12, 17, 7);
    QV_ModelType::m_stLastGroup = 40;
    object.FailSetUpEquations(-1);
    EXPECT_EQ(m.SetUpEquations(), -1);
    EXPECT_EQ(Counters<T>(object), std::make_tuple(12, 17, 7));
    EXPECT_EQ(Counters<P>(object), std::make_tuple(12, 17, 7));
    QV_ModelType::m_stLastGroup = savedGroup;

    int* cursors[2] = {};
    int counter = 0;
    m.AddEquation("stale", counter, 1); // the host's JacPattern drops it
    EXPECT_EQ(m.JacPattern(cursors[0], cursors[1], nullptr), 0);
    EXPECT_EQ(m.EquationCount(), 0);
    EXPECT_EQ(Counters<T>(object), std::make_tuple(12, 17, 0));
    EXPECT_EQ(Counters<P>(object), std::make_tuple(12, 17, 0));

    T copy(true);
    Counters<P>(object) = std::make_tuple(1, 2, 3);
    Counters<T>(object) = std::make_tuple(4, 5, 6);
    copy = object;
    EXPECT_EQ(Counters<T>(copy), std::make_tuple(4, 5, 6));
    EXPECT_EQ(Counters<P>(copy), Counters<P>(object));
}

// A creatable type's factory (null when the allocator refuses, one reference held, the object
// built with true) and its two data exports (4 zero bytes; 6 then 0).
template <class Class>
void ExpectCreatable(Class* (*make)(), void* (*info)(), const int* compatibility) {
    SCOPED_TRACE(Class::QV_ContainerId());
    LeakGuard guard;
    qvhost::FailAllocation(1);
    EXPECT_EQ(make(), nullptr);
    Class* object = make();
    ASSERT_NE(object, nullptr);
    EXPECT_STREQ(object->QV_DefaultDESCRIPTION(), Class::QV_ContainerId());
    EXPECT_EQ(object->PropertyCount(), Class(true).PropertyCount());
    ASSERT_EQ(object->AddRef(), 2u); // the factory holds one reference
    object->Release();
    EXPECT_EQ(object->Release(), 0u);
    const unsigned char* block = static_cast<const unsigned char*>(info());
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::vector<int>(block, block + 4), std::vector<int>(4, 0));
    EXPECT_EQ(std::make_pair(compatibility[0], compatibility[1]), std::make_pair(6, 0));
}

TEST(ConnectivityExports, EachCreatableTypeHasItsFactoryAndData) {
    ExpectCreatable(GENERICMODELFactory, GENERICMODELPropertyInfo, _CompatibilityGENERICMODEL);
    ExpectCreatable(GENERICSTRUCTUREFactory, GENERICSTRUCTUREPropertyInfo,
                    _CompatibilityGENERICSTRUCTURE);
    ExpectCreatable(GENERICSTREAMFactory, GENERICSTREAMPropertyInfo, _CompatibilityGENERICSTREAM);
    ExpectCreatable(GENERICCONTROLSIGNALFactory, GENERICCONTROLSIGNALPropertyInfo,
                    _CompatibilityGENERICCONTROLSIGNAL);
    ExpectCreatable(CONTROLSIGNALFactory, CONTROLSIGNALPropertyInfo, _CompatibilityCONTROLSIGNAL);
    ExpectCreatable(GENERICCONNECTIONFactory, GENERICCONNECTIONPropertyInfo,
                    _CompatibilityGENERICCONNECTION);
    ExpectCreatable(CONNECTIONFactory, CONNECTIONPropertyInfo, _CompatibilityCONNECTION);
}

} // namespace
} // namespace norvane::test
