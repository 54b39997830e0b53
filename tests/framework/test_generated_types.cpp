// Every generated type as the host meets it: the properties it registers, its container id and
// the ids it derives from, a copy's counters, and the three exports and the factory of each
// creatable type.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <tuple>
#include <vector>

#include "framework/library_api.h"
#include "types/connectivity/connection.h"
#include "types/connectivity/control_signal.h"
#include "types/connectivity/generic_model.h"
#include "types/connectivity/generic_port.h"
#include "types/connectivity/generic_stream.h"
#include "types/connectivity/generic_structure.h"
#include "types/distribution1d/distribution1d.h"
#include "types/distribution2d/distribution2d.h"
#include "types/distribution3d/distribution3d.h"
#include "types/domain/coordinate_domains.h"
#include "types/scheme/grid_check.h"

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
NORVANE_TEST_CREATABLE(DOMAIN, QV_DOMAIN)
NORVANE_TEST_CREATABLE(LENGTHDOMAIN, QV_LENGTHDOMAIN)
NORVANE_TEST_CREATABLE(ANGLEDOMAIN, QV_ANGLEDOMAIN)
NORVANE_TEST_CREATABLE(SECTIONDATAMODEL, QV_SECTIONDATAMODEL)
NORVANE_TEST_CREATABLE(DISTRIBUTION1D, QV_DISTRIBUTION1D)
NORVANE_TEST_CREATABLE(DISTRIBUTION2D, QV_DISTRIBUTION2D)
NORVANE_TEST_CREATABLE(DISTRIBUTION3D, QV_DISTRIBUTION3D)

namespace {

using norvane::RefusedNoDomain;

// One registered property as text: its name, then & for an external reference, * for a
// type-replaceable property, < or > for a port of direction 4 or 8, ! when it is kept from
// export, #n for host port type n, and ": description" when it has one.
std::string Entry(const QV_Containable& p) {
    std::string text = p.Name();
    if (p.RegistrationForm() == QV_RegistrationForm::External) text += '&';
    if (p.RegistrationForm() == QV_RegistrationForm::Virtual) text += '*';
    if (p.Direction() != 0) text += p.Direction() == 4 ? "<" : p.Direction() == 8 ? ">" : "?";
    if (!p.IsToBeExported()) text += '!';
    if (p.HostPortType() != 0) text += '#' + std::to_string(p.HostPortType());
    if (p.Description()) text += std::string(": ") + p.Description();
    return text;
}

std::vector<std::string> Registry(const QV_Container& c) {
    std::vector<std::string> entries;
    for (int k = 0; k < c.PropertyCount(); ++k)
        entries.push_back(Entry(*c.PropertyAt(k)));
    return entries;
}

using Entries = std::vector<std::string>;

// An array's entry NAME[123]... stands for its own index sets QV_NAME_SET1, 2 and 3, registered
// just before it, then NAME... itself.
Entries WithSets(std::initializer_list<std::string> entries) {
    Entries expanded;
    for (const std::string& entry : entries) {
        const std::size_t open = entry.find('['), close = entry.find(']');
        if (open == std::string::npos) {
            expanded.push_back(entry);
            continue;
        }
        const std::string name = entry.substr(0, entry.find_first_of("*[&"));
        for (std::size_t k = open + 1; k < close; ++k)
            expanded.push_back("QV_" + name + "_SET" + entry[k]);
        expanded.push_back(entry.substr(0, open) + entry.substr(close + 1));
    }
    return expanded;
}

// clang-format off
const Entries kDomain = WithSets({
    "SECTION*[1]", "LENGTH*: Domain length", "SPACINGPREFERENCE*: Preferred node spacing for domain",
    "VALUE*[1]: DO NOT EDIT - Location of each node in domain", "USERNOTES", "INPUTSIGNAL<!",
    "OUTPUTSIGNAL>!", "DISCRETIZATIONMETHOD: Method used to calculate partial derivatives",
    "NUMSECTIONS: Number of sections in the domain", "MINNODECOUNT", "NUMPOLYPOINTS",
    "POLYPOINT[1]", "HIGHESTORDERDERIVATIVE", "INTERIOR",
    "ENDNODE: DO NOT EDIT - Index of the rightmost element in domain"});
const Entries kControlSignal = {"USERNOTES", "SOURCE<!", "DEST>!"};
const Entries kConnection = {"USERNOTES", "SOURCE<#4", "DEST>#4"};
const Entries kDistribution1D = WithSets({
    "XDOMAIN&", "VALUE*[1]: Variable value at a node point", "USERNOTES", "INPUTSIGNAL<!",
    "OUTPUTSIGNAL>!", "HIGHESTORDERXDERIVATIVE", "HIGHESTORDERXDERIVATIVEUSED",
    "INTEGRALS: Integrals to be calculated. Valid value: idx",
    "DDX[1]: 1st-order partial deriv wrt x", "D2DX2[1]: 2nd-order partial deriv wrt x",
    "IDX[1]: integral of distributed variable over X domain"});
const Entries kDistribution2D = WithSets({
    "XDOMAIN&", "YDOMAIN&", "VALUE*[12]: Variable value at a node point", "USERNOTES",
    "INPUTSIGNAL<!", "OUTPUTSIGNAL>!", "HIGHESTORDERXDERIVATIVE", "HIGHESTORDERYDERIVATIVE",
    "HIGHESTORDERXDERIVATIVEUSED", "HIGHESTORDERYDERIVATIVEUSED",
    "INTEGRALS: Integrals to be calculated. Valid values: idx, idy, idxdy",
    "DDX[12]: 1st-order partial deriv wrt x", "DDY[12]: 1st-order partial deriv wrt y",
    "D2DX2[12]: 2nd-order partial deriv wrt x", "D2DY2[1]: 2nd-order partial deriv wrt y",
    "IDX[12]: integral of distributed variable wrt x",
    "IDY[12]: integral of distributed variable wrt y",
    "IDXDY[12]: integral of distributed variable wrt x and y"});
const Entries kDistribution3D = WithSets({
    "XDOMAIN&", "YDOMAIN&", "ZDOMAIN&", "VALUE*[123]: Variable value at a node point",
    "USERNOTES", "INPUTSIGNAL<!", "OUTPUTSIGNAL>!", "HIGHESTORDERXDERIVATIVE",
    "HIGHESTORDERYDERIVATIVE", "HIGHESTORDERZDERIVATIVE", "HIGHESTORDERXDERIVATIVEUSED",
    "HIGHESTORDERYDERIVATIVEUSED", "HIGHESTORDERZDERIVATIVEUSED",
    "INTEGRALS: Integrals to be calculated. Valid values: idx, idy, idz, idxdy, idxdz, idydz, "
    "idxdydz",
    "DDX[123]: 1st-order partial deriv wrt x", "DDY[123]: 1st-order partial deriv wrt y",
    "DDZ[123]: 1st-order partial deriv wrt z", "D2DX2[123]: 2nd-order partial deriv wrt x",
    "D2DY2[13]: 2nd-order partial deriv wrt y", "D2DZ2[12]: 2nd-order partial deriv wrt z",
    "IDX[123]: integral of distributed variable wrt x",
    "IDY[123]: integral of distributed variable wrt y",
    "IDZ[123]: integral of distributed variable wrt z",
    "IDXDY[123]: integral of distributed variable wrt x and y",
    "IDXDZ[123]: integral of distributed variable wrt x and z",
    "IDYDZ[123]: integral of distributed variable wrt y and z",
    "IDXDYDZ[123]: integral of distributed variable wrt x, y and z"});
// clang-format on

// What the tests need of one type: its id, its generated parent's, its registry and its exports
// (null for a port, which the host makes itself), with the checks that need the class.
struct TypeCase {
    const char* id;
    const char* parentId;
    Entries registry;
    QV_ModelType* (*factory)();
    void* (*info)();
    const int* compatibility;
    void (*classChecks)(const TypeCase&);
};

const std::vector<TypeCase>& Cases();

std::string Lower(std::string text) {
    for (char& ch : text)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return text;
}

// The three counters of one generated level L of an object.
template <class L> std::tuple<int&, int&, int&> Counters(L& level) {
    return std::tie(level.m_groupBase, level.m_eqnCount, level.m_patternCount);
}

// Each operation passes through every generated level to the host part: the assignments with a
// one less per level, SetDims once, and the host part's two equations of its own, counted by
// every level (a distribution refuses while its domains are not linked); a failing host part is
// answered at once. Every level keeps its counters. The host's questions are answered with the
// type's own members.
template <class T, class P> void PassChecks(const TypeCase& c, T& object) {
    QV_ModelType& m = object;
    EXPECT_EQ(m.ComponentList(), object.FindProperty("COMPONENTLIST"));
    EXPECT_EQ(m.IsConnected(), object.FindProperty("ISCONNECTED"));
    EXPECT_EQ(m.ExecuteAssignments(10, 3), 0);
    EXPECT_EQ(std::make_tuple(object.HostAssignmentCalls(), object.LastHostAssignmentA(),
                              object.LastHostAssignmentB()),
              std::make_tuple(1, c.parentId ? 8 : 9, 3));
    m.SetDims();
    EXPECT_EQ(object.SetDimsCalls(), 1);

    const bool refuses = std::count(c.registry.begin(), c.registry.end(), "XDOMAIN&") != 0;
    const int savedGroup = QV_ModelType::m_stLastGroup;
    Counters<P>(object) = Counters<T>(object) = std::make_tuple(7, 7, 7);
    QV_ModelType::m_stLastGroup = 12;
    object.SetBaseEquations(2);
    EXPECT_EQ(m.SetUpEquations(), refuses ? RefusedNoDomain : 2);
    std::tuple<int, int, int> counters =
        refuses ? std::make_tuple(7, 7, 7) : std::make_tuple(12, 0, 7);
    EXPECT_EQ(Counters<T>(object), counters);
    EXPECT_EQ(Counters<P>(object), counters);
    counters = std::make_tuple(12, 17, 7);
    Counters<P>(object) = Counters<T>(object) = counters;
    QV_ModelType::m_stLastGroup = 40;
    object.FailSetUpEquations(-1);
    EXPECT_EQ(m.SetUpEquations(), -1);
    EXPECT_EQ(Counters<T>(object), counters);
    EXPECT_EQ(Counters<P>(object), counters);
    QV_ModelType::m_stLastGroup = savedGroup;

    int* cursors[2] = {};
    int counter = 0;
    m.AddEquation("stale", counter, 1); // the host's JacPattern drops it
    EXPECT_EQ(m.JacPattern(cursors[0], cursors[1], nullptr), 2);
    EXPECT_STREQ(m.EquationName(0), "QV_BaseEqn");
    std::get<2>(counters) = 0;
    EXPECT_EQ(Counters<T>(object), counters);
    EXPECT_EQ(Counters<P>(object), counters);
}

// Built with false a type registers nothing until Construct, which registers its parent's part
// too. A type derives from its own id, in any case, and its generated parent's, from no other.
// The host part evaluates the equations. A copy takes the three counters of every generated
// level.
template <class T, class P> void ClassChecks(const TypeCase& c) {
    T object(false);
    EXPECT_EQ(object.PropertyCount(), 0);
    object.Construct();
    EXPECT_EQ(Registry(object), c.registry);
    const std::string id = c.id;
    EXPECT_STREQ(T::QV_ContainerId(), c.id);
    EXPECT_STREQ(object.QV_DefaultDESCRIPTION(), c.id);
    EXPECT_TRUE(object.ContainerDerivesFrom(Lower(id).c_str()));
    EXPECT_FALSE(object.ContainerDerivesFrom(id.substr(0, id.find('\t')).c_str()));
    for (const TypeCase& other : Cases())
        EXPECT_EQ(object.ContainerDerivesFrom(other.id),
                  other.id == id || (c.parentId && other.id == std::string(c.parentId)))
            << other.id;
    EXPECT_EQ(object.Residuals(nullptr, 0, 5), 0);
    EXPECT_EQ(object.Jacobian(nullptr, 3, 0), 0);
    PassChecks<T, P>(c, object);

    T a(true), b(true);
    Counters<P>(a) = std::make_tuple(1, 2, 3);
    Counters<T>(a) = std::make_tuple(4, 5, 6);
    b = a;
    EXPECT_EQ(Counters<T>(b), std::make_tuple(4, 5, 6));
    EXPECT_EQ(Counters<P>(b), Counters<P>(a));
}

template <class T, class P = T>
TypeCase Case(const char* id, Entries registry, QV_ModelType* (*factory)() = nullptr,
              void* (*info)() = nullptr, const int* compatibility = nullptr) {
    const char* parentId = std::is_same_v<T, P> ? nullptr : P::QV_ContainerId();
    return {id, parentId, std::move(registry), factory, info, compatibility, &ClassChecks<T, P>};
}

#define CREATABLE(TYPE)                                                                            \
    []() -> QV_ModelType* { return TYPE##Factory(); }, &TYPE##PropertyInfo, _Compatibility##TYPE

const std::vector<TypeCase>& Cases() {
    static const std::vector<TypeCase> cases = {
        Case<QV_GENERICPORT>("Port GENERICPORT\tV8.8",
                             {"ISCONNECTED", "ISLINKED", "COMPONENTLIST"}),
        Case<QV_CONTROLPORT>("Port CONTROLPORT\tV8.8", {}),
        Case<QV_CONNECTIONPORT>("Port CONNECTIONPORT\tV8.8", {}),
        Case<QV_GENERICMODEL>("Model GENERICMODEL\tV8.8",
                              {"USERNOTES", "COMPONENTLIST", "INPUTSIGNAL<!", "OUTPUTSIGNAL>!"},
                              CREATABLE(GENERICMODEL)),
        Case<QV_GENERICSTRUCTURE>("Structure GENERICSTRUCTURE\tV8.8",
                                  {"USERNOTES", "COMPONENTLIST"}, CREATABLE(GENERICSTRUCTURE)),
        Case<QV_GENERICSTREAM>("Stream GENERICSTREAM\tV8.8",
                               {"USERNOTES", "COMPONENTLIST", "QV_UNCONNECTABLEINPUT<!",
                                "QV_UNCONNECTABLEOUTPUT>!", "INPUTSIGNAL<!", "OUTPUTSIGNAL>!"},
                               CREATABLE(GENERICSTREAM)),
        Case<QV_GENERICCONTROLSIGNAL>("Model GENERICCONTROLSIGNAL\tV8.8", kControlSignal,
                                      CREATABLE(GENERICCONTROLSIGNAL)),
        Case<QV_CONTROLSIGNAL, QV_GENERICCONTROLSIGNAL>("Model CONTROLSIGNAL\tV8.8", kControlSignal,
                                                        CREATABLE(CONTROLSIGNAL)),
        Case<QV_GENERICCONNECTION>("Model GENERICCONNECTION\tV8.8", kConnection,
                                   CREATABLE(GENERICCONNECTION)),
        Case<QV_CONNECTION, QV_GENERICCONNECTION>("Model CONNECTION\tV8.8", kConnection,
                                                  CREATABLE(CONNECTION)),
        Case<QV_DOMAIN>("Model DOMAIN\tV8.8", kDomain, CREATABLE(DOMAIN)),
        Case<QV_LENGTHDOMAIN, QV_DOMAIN>("Model LENGTHDOMAIN\tV8.8", kDomain,
                                         CREATABLE(LENGTHDOMAIN)),
        Case<QV_ANGLEDOMAIN, QV_DOMAIN>("Model ANGLEDOMAIN\tV8.8", kDomain, CREATABLE(ANGLEDOMAIN)),
        Case<QV_SECTIONDATAMODEL, QV_GENERICMODEL>(
            "Model SECTIONDATAMODEL\tV8.8",
            {"USERNOTES", "COMPONENTLIST", "INPUTSIGNAL<!", "OUTPUTSIGNAL>!", "MINNODECOUNT&",
             "LOCATION*: Absolute location of LH boundary of this section",
             "SPACINGPREFERENCE*: Preferred spacing between nodes in this section",
             "SPACINGUSED*: Actual spacing used between nodes in this section", "LENGTH",
             "NODECOUNT", "BASE", "NUMELEMENTS", "ELEMENTLENGTH", "INTERIOR"},
            CREATABLE(SECTIONDATAMODEL)),
        Case<QV_DISTRIBUTION1D>("Model DISTRIBUTION1D\tV8.8", kDistribution1D,
                                CREATABLE(DISTRIBUTION1D)),
        Case<QV_DISTRIBUTION2D>("Model DISTRIBUTION2D\tV8.8", kDistribution2D,
                                CREATABLE(DISTRIBUTION2D)),
        Case<QV_DISTRIBUTION3D>("Model DISTRIBUTION3D\tV8.8", kDistribution3D,
                                CREATABLE(DISTRIBUTION3D)),
    };
    return cases;
}

TEST(GeneratedTypes, RegistryIdsPassesAndCopies) {
    for (const TypeCase& c : Cases()) {
        SCOPED_TRACE(c.id);
        c.classChecks(c);
    }
}

// The property-information block (4 zero bytes, the same block on every call) and the
// compatibility data (6, then 0). The factory holds one reference. A factory whose k-th
// allocation fails gives null, having asked
// for nothing more, when the object's own block fails, otherwise an object that registers its
// table and runs its assignments; once it is released no block is left.
TEST(GeneratedTypes, ExportsOfEachCreatableType) {
    int creatable = 0;
    for (const TypeCase& c : Cases()) {
        if (!c.factory) continue;
        SCOPED_TRACE(c.id);
        ++creatable;
        const auto* block = static_cast<const unsigned char*>(c.info());
        ASSERT_EQ(block, c.info());
        EXPECT_EQ(std::vector<int>(block, block + 4), std::vector<int>(4, 0));
        EXPECT_EQ(std::make_pair(c.compatibility[0], c.compatibility[1]), std::make_pair(6, 0));

        const long before = qvhost::LiveBlocks(), start = qvhost::AllocationCalls();
        QV_ModelType* object = c.factory();
        EXPECT_EQ(object->AddRef(), 2u); // the factory holds one reference
        object->Release();
        EXPECT_EQ(object->Release(), 0u);
        const long calls = qvhost::AllocationCalls() - start;
        for (long k = 1; k <= calls; ++k) {
            const long callsBefore = qvhost::AllocationCalls();
            qvhost::FailAllocation(k);
            QV_ModelType* made = c.factory();
            qvhost::FailAllocation(0);
            EXPECT_EQ(made == nullptr, k == 1) << "allocation " << k;
            if (made) {
                EXPECT_EQ(Registry(*made), c.registry) << "allocation " << k;
                made->SetDims();
                made->ExecuteAssignments(3, 0);
                made->Release();
            } else {
                EXPECT_EQ(qvhost::AllocationCalls(), callsBefore + 1);
            }
            EXPECT_EQ(qvhost::LiveBlocks(), before) << "allocation " << k;
        }
    }
    EXPECT_EQ(creatable, 14);
}

} // namespace
