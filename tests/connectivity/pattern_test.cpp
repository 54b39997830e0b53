// The generated-type pattern on every type of the subsystem: identity, the chain of
// ExecuteAssignments, SetUpEquations and JacPattern through the levels, copying, and the
// three exports of the creatable types (Parts 2.101, 2.102, 2.104, 2.105).
#include "tests/connectivity/connectivity_fixture.h"

namespace norvane::test {
namespace {

// Keeps the host's last group as the test found it.
class LastGroupScope {
public:
    LastGroupScope() : m_saved(QV_ModelType::m_stLastGroup) {}
    ~LastGroupScope() { QV_ModelType::m_stLastGroup = m_saved; }
    LastGroupScope(const LastGroupScope&) = delete;
    LastGroupScope& operator=(const LastGroupScope&) = delete;

private:
    int m_saved;
};

template <class T, int Levels>
struct Generated {
    using Type = T;
    static constexpr int levels = Levels; // generated levels: 2 for a subclass, else 1
};

template <class Traits>
class ConnectivityGeneratedType : public ::testing::Test {};

using AllTypes =
    ::testing::Types<Generated<QV_GENERICPORT, 1>, Generated<QV_CONTROLPORT, 1>,
                     Generated<QV_CONNECTIONPORT, 1>, Generated<QV_GENERICMODEL, 1>,
                     Generated<QV_GENERICSTRUCTURE, 1>, Generated<QV_GENERICSTREAM, 1>,
                     Generated<QV_GENERICCONTROLSIGNAL, 1>, Generated<QV_CONTROLSIGNAL, 2>,
                     Generated<QV_GENERICCONNECTION, 1>, Generated<QV_CONNECTION, 2>>;
TYPED_TEST_SUITE(ConnectivityGeneratedType, AllTypes);

TYPED_TEST(ConnectivityGeneratedType, DescriptionIsTheContainerId) {
    using T = typename TypeParam::Type;
    T object(true);
    EXPECT_STREQ(static_cast<QV_Container&>(object).QV_DefaultDESCRIPTION(), T::QV_ContainerId());
    EXPECT_EQ(&*object, &object);
}

TYPED_TEST(ConnectivityGeneratedType, DerivesFromItsOwnIdInAnyCaseButNotFromTheCutId) {
    using T = typename TypeParam::Type;
    T object(true);
    QV_Container& c = object;
    const std::string id = T::QV_ContainerId();
    EXPECT_TRUE(c.ContainerDerivesFrom(id.c_str()));
    EXPECT_TRUE(c.ContainerDerivesFrom(Lower(id).c_str()));
    EXPECT_FALSE(c.ContainerDerivesFrom(CutBeforeTab(id.c_str()).c_str()));
    EXPECT_FALSE(c.ContainerDerivesFrom((id + " ").c_str()));
    EXPECT_FALSE(c.ContainerDerivesFrom(""));
    EXPECT_FALSE(c.ContainerDerivesFrom(nullptr));
}

TYPED_TEST(ConnectivityGeneratedType, ExecuteAssignmentsReachesTheHostOneLowerPerLevel) {
    using T = typename TypeParam::Type;
    T object(true);
    QV_Container& c = object;
    EXPECT_EQ(c.ExecuteAssignments(10, 3), 0);
    EXPECT_EQ(object.HostAssignmentCalls(), 1);
    EXPECT_EQ(object.LastHostAssignmentA(), 10 - TypeParam::levels);
    EXPECT_EQ(object.LastHostAssignmentB(), 3);
    EXPECT_EQ(object.ExecuteAssignments0(5, 7, 99), 0);
    EXPECT_EQ(object.LastHostAssignmentA(), 5 - TypeParam::levels);
    EXPECT_EQ(object.LastHostAssignmentB(), 7);
}

TYPED_TEST(ConnectivityGeneratedType, SetDimsCallsTheHostOnce) {
    using T = typename TypeParam::Type;
    T object(true);
    static_cast<QV_Container&>(object).SetDims();
    EXPECT_EQ(object.SetDimsCalls(), 1);
}

TYPED_TEST(ConnectivityGeneratedType, SetUpEquationsRecordsTheLastGroupAndNoEquations) {
    using T = typename TypeParam::Type;
    LastGroupScope scope;
    T object(true);
    object.m_groupBase = object.m_eqnCount = object.m_patternCount = 55;
    QV_ModelType::m_stLastGroup = 12;
    QV_ModelType& m = object;
    EXPECT_EQ(m.SetUpEquations(), 0);
    EXPECT_EQ(object.m_groupBase, 12);
    EXPECT_EQ(object.m_eqnCount, 0);
    EXPECT_EQ(object.LocalEqnCount(), 0);

    int* rows = nullptr;
    int* cols = nullptr;
    int counter = 0;
    m.AddEquation("stale", counter, 1); // JacPattern of the host drops it
    EXPECT_EQ(m.JacPattern(rows, cols, nullptr), 0);
    EXPECT_EQ(object.m_patternCount, 0);
    EXPECT_EQ(m.EquationCount(), 0);
    EXPECT_EQ(rows, nullptr);
    EXPECT_EQ(cols, nullptr);
}

TYPED_TEST(ConnectivityGeneratedType, FailingParentSetUpEquationsKeepsTheGroupBase) {
    using T = typename TypeParam::Type;
    LastGroupScope scope;
    T object(true);
    QV_ModelType::m_stLastGroup = 3;
    ASSERT_EQ(object.SetUpEquations(), 0);
    ASSERT_EQ(object.m_groupBase, 3);
    object.m_eqnCount = 17;
    QV_ModelType::m_stLastGroup = 40;
    object.FailSetUpEquations(-1);
    EXPECT_EQ(static_cast<QV_ModelType&>(object).SetUpEquations(), -1);
    EXPECT_EQ(object.m_groupBase, 3);
    EXPECT_EQ(object.m_eqnCount, 17);
    // The failure is the host's for one call only.
    EXPECT_EQ(object.SetUpEquations(), 0);
    EXPECT_EQ(object.m_groupBase, 40);
}

TYPED_TEST(ConnectivityGeneratedType, JacobianAndResidualsAreZeroForAnyArguments) {
    using T = typename TypeParam::Type;
    T object(true);
    QV_ModelType& m = object;
    double values[4] = {1, 2, 3, 4};
    EXPECT_EQ(m.Jacobian(nullptr, 0, 0), 0);
    EXPECT_EQ(m.Residuals(nullptr, -1, 1000), 0);
    EXPECT_EQ(m.Jacobian(values, 2, 2), 0);
    EXPECT_EQ(m.Residuals(values, 0, 4), 0);
    EXPECT_EQ(values[0], 1);
}

TYPED_TEST(ConnectivityGeneratedType, AssignmentCopiesTheCountersAndKeepsTheRegistration) {
    using T = typename TypeParam::Type;
    T a(true);
    T b(true);
    b.m_groupBase = 7;
    b.m_eqnCount = 8;
    b.m_patternCount = 9;
    T& result = (a = b);
    EXPECT_EQ(&result, &a);
    EXPECT_EQ(a.m_groupBase, 7);
    EXPECT_EQ(a.m_eqnCount, 8);
    EXPECT_EQ(a.m_patternCount, 9);
    EXPECT_EQ(a.PropertyCount(), b.PropertyCount());
    for (int k = 0; k < a.PropertyCount(); ++k) EXPECT_EQ(a.PropertyAt(k)->Owner(), &a);
}

TYPED_TEST(ConnectivityGeneratedType, DeletingThroughTheHostBaseFreesTheBlock) {
    using T = typename TypeParam::Type;
    LeakGuard guard;
    // A class-specific operator new of the host hands the block out, as for every object.
    IUnknown* object = new T(true);
    ASSERT_NE(object, nullptr);
    delete object;
}

// --- subclasses and their parents -----------------------------------------------------------

TEST(ConnectivitySubclass, ConnectionDerivesFromItselfAndItsParentOnly) {
    QV_CONNECTION connection(true);
    QV_Container& c = connection;
    EXPECT_TRUE(c.ContainerDerivesFrom("Model CONNECTION\tV8.8"));
    EXPECT_TRUE(c.ContainerDerivesFrom("model connection\tv8.8"));
    EXPECT_TRUE(c.ContainerDerivesFrom("Model GENERICCONNECTION\tV8.8"));
    EXPECT_TRUE(c.ContainerDerivesFrom("MODEL GENERICCONNECTION\tv8.8"));
    EXPECT_TRUE(c.ContainerDerivesFrom("mOdEl GeNeRiCcOnNeCtIoN\tV8.8"));
    EXPECT_FALSE(c.ContainerDerivesFrom("Model GENERICCONNECTION"));
    EXPECT_FALSE(c.ContainerDerivesFrom("Model GENERICCONTROLSIGNAL\tV8.8"));
    EXPECT_FALSE(c.ContainerDerivesFrom("Model GENERICMODEL\tV8.8"));
    EXPECT_FALSE(c.ContainerDerivesFrom("Port CONNECTIONPORT\tV8.8"));

    QV_GENERICCONNECTION parent(true);
    EXPECT_FALSE(static_cast<QV_Container&>(parent).ContainerDerivesFrom("Model CONNECTION\tV8.8"));
}

TEST(ConnectivitySubclass, ControlSignalDerivesFromItsParent) {
    QV_CONTROLSIGNAL signal(true);
    QV_Container& c = signal;
    EXPECT_TRUE(c.ContainerDerivesFrom("Model GENERICCONTROLSIGNAL\tV8.8"));
    EXPECT_TRUE(c.ContainerDerivesFrom("model controlsignal\tv8.8"));
    EXPECT_FALSE(c.ContainerDerivesFrom("Model GENERICCONNECTION\tV8.8"));
    EXPECT_FALSE(c.ContainerDerivesFrom("Model CONTROLSIGNAL"));
}

TEST(ConnectivitySubclass, KindsAndIdsAreKeptApart) {
    QV_GENERICSTRUCTURE structure(true);
    QV_GENERICMODEL model(true);
    QV_GENERICSTREAM stream(true);
    QV_CONTROLPORT control(true);
    const char* structureId = "Structure GENERICSTRUCTURE\tV8.8";
    EXPECT_TRUE(static_cast<QV_Container&>(structure).ContainerDerivesFrom(structureId));
    EXPECT_FALSE(static_cast<QV_Container&>(model).ContainerDerivesFrom(structureId));
    EXPECT_FALSE(
        static_cast<QV_Container&>(stream).ContainerDerivesFrom("Model GENERICMODEL\tV8.8"));
    EXPECT_TRUE(static_cast<QV_Container&>(control).ContainerDerivesFrom("PORT controlport\tV8.8"));
    EXPECT_FALSE(
        static_cast<QV_Container&>(control).ContainerDerivesFrom("Port CONNECTIONPORT\tV8.8"));
}

TEST(ConnectivitySubclass, IdsAreKindBlankNameTabVersion) {
    EXPECT_STREQ(QV_GENERICPORT::QV_ContainerId(), "Port GENERICPORT\tV8.8");
    EXPECT_STREQ(QV_CONTROLPORT::QV_ContainerId(), "Port CONTROLPORT\tV8.8");
    EXPECT_STREQ(QV_CONNECTIONPORT::QV_ContainerId(), "Port CONNECTIONPORT\tV8.8");
    EXPECT_STREQ(QV_GENERICMODEL::QV_ContainerId(), "Model GENERICMODEL\tV8.8");
    EXPECT_STREQ(QV_GENERICSTRUCTURE::QV_ContainerId(), "Structure GENERICSTRUCTURE\tV8.8");
    EXPECT_STREQ(QV_GENERICSTREAM::QV_ContainerId(), "Stream GENERICSTREAM\tV8.8");
    EXPECT_STREQ(QV_GENERICCONTROLSIGNAL::QV_ContainerId(), "Model GENERICCONTROLSIGNAL\tV8.8");
    EXPECT_STREQ(QV_CONTROLSIGNAL::QV_ContainerId(), "Model CONTROLSIGNAL\tV8.8");
    EXPECT_STREQ(QV_GENERICCONNECTION::QV_ContainerId(), "Model GENERICCONNECTION\tV8.8");
    EXPECT_STREQ(QV_CONNECTION::QV_ContainerId(), "Model CONNECTION\tV8.8");
}

TEST(ConnectivitySubclass, ControlSignalAssignmentsReachTheHostWithAMinusTwo) {
    QV_CONTROLSIGNAL signal(true);
    QV_Container& c = signal;
    c.ExecuteAssignments(10, 3);
    EXPECT_EQ(signal.LastHostAssignmentA(), 8);
    EXPECT_EQ(signal.LastHostAssignmentB(), 3);
    EXPECT_EQ(signal.HostAssignmentCalls(), 1);
}

TEST(ConnectivitySubclass, SetUpEquationsWritesBothLevelsAndFailureWritesNeither) {
    LastGroupScope scope;
    QV_CONNECTION connection(true);
    QV_ModelType::m_stLastGroup = 21;
    EXPECT_EQ(static_cast<QV_ModelType&>(connection).SetUpEquations(), 0);
    EXPECT_EQ(connection.m_groupBase, 21);
    EXPECT_EQ(connection.QV_GENERICCONNECTION::m_groupBase, 21);
    EXPECT_EQ(connection.m_eqnCount, 0);
    EXPECT_EQ(connection.QV_GENERICCONNECTION::m_eqnCount, 0);

    QV_ModelType::m_stLastGroup = 30;
    connection.FailSetUpEquations(-1);
    EXPECT_EQ(connection.SetUpEquations(), -1);
    EXPECT_EQ(connection.m_groupBase, 21);
    EXPECT_EQ(connection.QV_GENERICCONNECTION::m_groupBase, 21);

    int* rows = nullptr;
    int* cols = nullptr;
    connection.m_patternCount = connection.QV_GENERICCONNECTION::m_patternCount = 5;
    EXPECT_EQ(connection.JacPattern(rows, cols, nullptr), 0);
    EXPECT_EQ(connection.m_patternCount, 0);
    EXPECT_EQ(connection.QV_GENERICCONNECTION::m_patternCount, 0);
}

TEST(ConnectivitySubclass, AssignmentCopiesBothLevelsOfCountersAndTheMembers) {
    QV_CONTROLSIGNAL a(true);
    QV_CONTROLSIGNAL b(true);
    b.m_groupBase = 1;
    b.m_eqnCount = 2;
    b.m_patternCount = 3;
    b.QV_GENERICCONTROLSIGNAL::m_groupBase = 4;
    b.QV_GENERICCONTROLSIGNAL::m_eqnCount = 5;
    b.QV_GENERICCONTROLSIGNAL::m_patternCount = 6;
    b.USERNOTES.UserSet("notes of b");
    a = b;
    EXPECT_EQ(a.m_groupBase, 1);
    EXPECT_EQ(a.m_eqnCount, 2);
    EXPECT_EQ(a.m_patternCount, 3);
    EXPECT_EQ(a.QV_GENERICCONTROLSIGNAL::m_groupBase, 4);
    EXPECT_EQ(a.QV_GENERICCONTROLSIGNAL::m_eqnCount, 5);
    EXPECT_EQ(a.QV_GENERICCONTROLSIGNAL::m_patternCount, 6);
    EXPECT_STREQ(static_cast<const char*>(a.USERNOTES), "notes of b");
}

TEST(ConnectivitySubclass, GenericPortAssignmentCopiesItsMembers) {
    QV_GENERICPORT a(true);
    QV_GENERICPORT b(true);
    b.ISCONNECTED.UserSet(1);
    b.ISLINKED.UserSet(1);
    b.COMPONENTLIST.UserSet("MIXTURE");
    a = b;
    EXPECT_TRUE(a.ISCONNECTED.v());
    EXPECT_TRUE(a.ISLINKED.v());
    EXPECT_STREQ(a.COMPONENTLIST.Value().Text(), "MIXTURE");
    EXPECT_EQ(a.IsConnected(), &a.ISCONNECTED);
}

// --- exports of the creatable types ---------------------------------------------------------

struct Exports {
    const char* type;
    void* (*propertyInfo)();
    const int* compatibility;
};

const Exports kExports[] = {
    {"GENERICMODEL", GENERICMODELPropertyInfo, _CompatibilityGENERICMODEL},
    {"GENERICSTRUCTURE", GENERICSTRUCTUREPropertyInfo, _CompatibilityGENERICSTRUCTURE},
    {"GENERICSTREAM", GENERICSTREAMPropertyInfo, _CompatibilityGENERICSTREAM},
    {"GENERICCONTROLSIGNAL", GENERICCONTROLSIGNALPropertyInfo, _CompatibilityGENERICCONTROLSIGNAL},
    {"CONTROLSIGNAL", CONTROLSIGNALPropertyInfo, _CompatibilityCONTROLSIGNAL},
    {"GENERICCONNECTION", GENERICCONNECTIONPropertyInfo, _CompatibilityGENERICCONNECTION},
    {"CONNECTION", CONNECTIONPropertyInfo, _CompatibilityCONNECTION},
};

TEST(ConnectivityExports, PropertyInfoIsOneStableBlockOfFourZeroBytesPerType) {
    std::vector<void*> seen;
    for (const Exports& e : kExports) {
        SCOPED_TRACE(e.type);
        void* block = e.propertyInfo();
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(e.propertyInfo(), block);
        const unsigned char* bytes = static_cast<const unsigned char*>(block);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(bytes[k], 0) << k;
        for (void* other : seen) EXPECT_NE(other, block);
        seen.push_back(block);
    }
}

TEST(ConnectivityExports, CompatibilityIsSixThenZero) {
    for (const Exports& e : kExports) {
        SCOPED_TRACE(e.type);
        EXPECT_EQ(e.compatibility[0], 6);
        EXPECT_EQ(e.compatibility[1], 0);
    }
}

TEST(ConnectivityExports, FactoriesMakeTheirOwnType) {
    LeakGuard guard;
    QV_CONTROLSIGNAL* signal = CONTROLSIGNALFactory();
    QV_CONNECTION* connection = CONNECTIONFactory();
    QV_GENERICSTRUCTURE* structure = GENERICSTRUCTUREFactory();
    ASSERT_NE(signal, nullptr);
    ASSERT_NE(connection, nullptr);
    ASSERT_NE(structure, nullptr);
    EXPECT_STREQ(static_cast<QV_Container*>(signal)->QV_DefaultDESCRIPTION(),
                 "Model CONTROLSIGNAL\tV8.8");
    EXPECT_STREQ(static_cast<QV_Container*>(connection)->QV_DefaultDESCRIPTION(),
                 "Model CONNECTION\tV8.8");
    EXPECT_STREQ(static_cast<QV_Container*>(structure)->QV_DefaultDESCRIPTION(),
                 "Structure GENERICSTRUCTURE\tV8.8");
    signal->Release();
    connection->Release();
    structure->Release();
}

} // namespace
} // namespace norvane::test
