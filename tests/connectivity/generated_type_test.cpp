// The ten generated types of the subsystem: how each operation chains through every generated
// level to the host, and the host's questions answered with the type's own members.
#include "tests/connectivity/connectivity_fixture.h"

#include <tuple>

namespace norvane::test {
namespace {

// A type and its generated parent (itself when it has none).
template <class T, class P = T> struct Case {
    using Type = T;
    using Parent = P;
};

using Cases =
    ::testing::Types<Case<QV_GENERICPORT>, Case<QV_CONTROLPORT>, Case<QV_CONNECTIONPORT>,
                     Case<QV_GENERICMODEL>, Case<QV_GENERICSTRUCTURE>, Case<QV_GENERICSTREAM>,
                     Case<QV_GENERICCONTROLSIGNAL>, Case<QV_CONTROLSIGNAL, QV_GENERICCONTROLSIGNAL>,
                     Case<QV_GENERICCONNECTION>, Case<QV_CONNECTION, QV_GENERICCONNECTION>>;

template <class C> class ConnectivityGeneratedType : public ::testing::Test {};
TYPED_TEST_SUITE(ConnectivityGeneratedType, Cases);

// The three counters of one generated level L of an object.
template <class L> std::tuple<int&, int&, int&> Counters(L& level) {
    return std::tie(level.m_groupBase, level.m_eqnCount, level.m_patternCount);
}

// The host part holds two equations of its own: each level passes its count on.
TYPED_TEST(ConnectivityGeneratedType, PassesGoThroughEachLevelToTheHost) {
    using T = typename TypeParam::Type;
    using P = typename TypeParam::Parent;
    T object(true);
    QV_ModelType& m = object;
    EXPECT_EQ(m.ComponentList(), object.FindProperty("COMPONENTLIST"));
    EXPECT_EQ(m.IsConnected(), object.FindProperty("ISCONNECTED"));
    EXPECT_EQ(m.ExecuteAssignments(10, 3), 0);
    EXPECT_EQ(object.HostAssignmentCalls(), 1);
    EXPECT_EQ(object.LastHostAssignmentA(), (std::is_same_v<T, P> ? 9 : 8)); // a-1 per level
    EXPECT_EQ(object.LastHostAssignmentB(), 3);
    m.SetDims();
    EXPECT_EQ(object.SetDimsCalls(), 1);

    const int savedGroup = QV_ModelType::m_stLastGroup;
    Counters<P>(object) = Counters<T>(object) = std::make_tuple(7, 7, 7);
    QV_ModelType::m_stLastGroup = 12;
    object.SetBaseEquations(2);
    EXPECT_EQ(m.SetUpEquations(), 2);
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
    EXPECT_EQ(m.JacPattern(cursors[0], cursors[1], nullptr), 2);
    EXPECT_STREQ(m.EquationName(0), "QV_BaseEqn");
    EXPECT_EQ(Counters<T>(object), std::make_tuple(12, 17, 0));
    EXPECT_EQ(Counters<P>(object), std::make_tuple(12, 17, 0));
}

} // namespace
} // namespace norvane::test
