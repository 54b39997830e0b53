// What the one-, two- and three-dimensional distributions share as host types, checked once
// for the three through the host's registry: the numbers and tags of their assignments, the
// index sets their arrays are declared over, their counts after a host part with equations of
// its own, the elements their equations name, and their answers when a domain is missing or a
// grid went past 32 bits.
#include "tests/scheme/distribution_road.h"
#include "types/distribution1d/distribution1d.h"
#include "types/scheme/grid_check.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <tuple>

extern "C" NORVANE_API QV_DISTRIBUTION1D* DISTRIBUTION1DFactory();

namespace norvane::test {
namespace {

template <class T> std::tuple<int, int, int> CountersOf(QV_ModelType& m) {
    T& d = static_cast<T&>(m);
    return {d.m_groupBase, d.m_eqnCount, d.m_patternCount};
}

struct Kind {
    const char* name;
    int dimensions;
    QV_ModelType* (*make)();
    std::tuple<int, int, int> (*counters)(QV_ModelType&); // group base, equations, pattern
    const char* integrals;                                // every integral it offers
    std::vector<int> numbers; // the assignment number of each registered property, 0: none
};

// clang-format off
const Kind kKinds[] = {
    {"1D", 1, [] { return static_cast<QV_ModelType*>(DISTRIBUTION1DFactory()); },
     &CountersOf<QV_DISTRIBUTION1D>, "idx", {0, 1, 0, 0, 0, 0, 5, 6, 7, 2, 0, 3, 0, 4, 0}},
    {"2D", 2, [] { return static_cast<QV_ModelType*>(DISTRIBUTION2DFactory()); },
     &CountersOf<QV_DISTRIBUTION2D>, "idx\"idy\"idxdy",
     {0, 0, 1, 2, 0, 0, 0, 0, 16, 17, 18, 19, 20, 3, 4, 0, 5, 6, 0, 7, 8, 0, 9, 0,
      10, 11, 0, 12, 13, 0, 14, 15, 0}},
    {"3D", 3, [] { return static_cast<QV_ModelType*>(DISTRIBUTION3DFactory()); },
     &CountersOf<QV_DISTRIBUTION3D>, "idx\"idy\"idz\"idxdy\"idxdz\"idydz\"idxdydz",
     {0, 0, 0, 1, 2, 3, 0, 0, 0, 0, 41, 42, 43, 44, 45, 46, 47, 4, 5, 6, 0, 7, 8, 9, 0,
      10, 11, 12, 0, 13, 14, 15, 0, 16, 17, 0, 18, 19, 0, 20, 21, 22, 0, 23, 24, 25, 0,
      26, 27, 28, 0, 29, 30, 31, 0, 32, 33, 34, 0, 35, 36, 37, 0, 38, 39, 40, 0}},
};
// clang-format on

const char kDirections[] = "XYZ";

// A distribution of one kind, the same length domain linked along each direction, all reached
// through the names the host knows them by. Releases everything at the end, leaving no block.
class AnyRoad {
public:
    AnyRoad(const Kind& kind, const Axis& axis, const char* integrals = nullptr)
        : kind(kind), m_blocks(qvhost::LiveBlocks()) {
        d = kind.make();
        if (integrals) Param("INTEGRALS").UserSet(integrals);
        for (int k = 0; k < kind.dimensions; ++k) {
            domain[k] = MakeDomain(axis);
            Link(k, domain[k]);
        }
    }
    AnyRoad(const AnyRoad&) = delete;
    AnyRoad& operator=(const AnyRoad&) = delete;
    ~AnyRoad() {
        d->Release();
        for (int k = 0; k < kind.dimensions; ++k)
            domain[k]->Release();
        EXPECT_EQ(qvhost::LiveBlocks(), m_blocks) << "blocks left after Release";
    }

    QV_ExternalBase& Reference(int k) {
        const std::string name = std::string(1, kDirections[k]) + "DOMAIN";
        return dynamic_cast<QV_ExternalBase&>(*d->FindProperty(name.c_str()));
    }
    void Link(int k, QV_DOMAIN* target) { Reference(k).Link(target); }
    QV_VarParam& Param(const std::string& name) {
        return dynamic_cast<QV_VarParam&>(*d->FindProperty(name.c_str()));
    }

    void Assign(int a = 3, int b = 1) {
        for (int k = 0; k < kind.dimensions; ++k) {
            domain[k]->SetDims();
            for (int run = 0; run < 2; ++run)
                domain[k]->ExecuteAssignments(3, 1);
        }
        d->SetDims();
        d->ExecuteAssignments(a, b);
    }
    int SetUp() {
        Assign();
        qvhost::ResetSystem();
        return d->SetUpEquations();
    }

    // Each registered index set QV_<array>_SET<k> with k, its direction from 0.
    std::vector<std::pair<const QV_INTEGERSET*, int>> Sets() {
        std::vector<std::pair<const QV_INTEGERSET*, int>> sets;
        for (int p = 0; p < d->PropertyCount(); ++p)
            if (auto* set = dynamic_cast<const QV_INTEGERSET*>(d->PropertyAt(p)))
                sets.emplace_back(set, set->Name()[std::strlen(set->Name()) - 1] - '1');
        return sets;
    }

    // Each registered array, the one filed in a type-replaceable property (VALUE) too.
    std::vector<std::pair<const char*, QV_Matrix*>> Arrays() {
        std::vector<std::pair<const char*, QV_Matrix*>> arrays;
        for (int p = 0; p < d->PropertyCount(); ++p) {
            QV_Containable* property = d->PropertyAt(p);
            QV_Type* held = dynamic_cast<QV_Type*>(property);
            if (auto* filed = dynamic_cast<QV_VirtualBase*>(property)) held = filed->VirtualLink();
            if (auto* array = dynamic_cast<QV_Matrix*>(held))
                arrays.emplace_back(property->Name(), array);
        }
        return arrays;
    }

    const Kind& kind;
    QV_ModelType* d;
    QV_LENGTHDOMAIN* domain[3] = {};

private:
    long m_blocks;
};

// Every assignment is tagged with the caller's (b, a) and numbered; the parent's run one level
// down. The orders used are this object's own, which a user may fix apart from the domain's.
TEST(DistributionTypes, AssignmentNumbersTagsAndOrders) {
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        AnyRoad road(kind, {"CFD2", 2, 1.0, 0.25, 2});
        road.Assign(5, 7);
        std::vector<int> numbers;
        for (int p = 0; p < road.d->PropertyCount(); ++p) {
            const auto* value = dynamic_cast<const QV_VarParam*>(road.d->PropertyAt(p));
            numbers.push_back(value ? value->LastAssignmentNumber() : 0);
            if (numbers.back() == 0) continue;
            EXPECT_EQ(std::make_pair(value->LastTagA(), value->LastTagB()), std::make_pair(5u, 7u))
                << value->Name();
        }
        EXPECT_EQ(numbers, kind.numbers);
        EXPECT_EQ(road.d->HostAssignmentCalls(), 1);
        EXPECT_EQ(road.d->LastHostAssignmentA(), 4);
        EXPECT_EQ(road.d->LastHostAssignmentB(), 7);

        for (int k = 0; k < kind.dimensions; ++k)
            road.Param(std::string("HIGHESTORDER") + kDirections[k] + "DERIVATIVE").UserSet(1);
        road.Assign();
        for (int k = 0; k < kind.dimensions; ++k)
            EXPECT_EQ(road.Param(std::string("HIGHESTORDER") + kDirections[k] + "DERIVATIVEUSED")
                          .Integer(),
                      1);
    }
}

// Each array is declared over the sets registered under its name, QV_<array>_SET<k>; where the
// type registers none (D2DY2 along Y, D2DZ2 along Z), over that direction's INTERIOR, or over no
// set at all while that domain is not linked.
void ExpectArraysOverTheirSets(AnyRoad& road) {
    for (const auto& [name, array] : road.Arrays()) {
        std::vector<const QV_Containable*> expected;
        bool unlinked = false;
        for (int k = 0; k < array->IndexCount(); ++k) {
            const std::string set = "QV_" + std::string(name) + "_SET" + std::to_string(k + 1);
            const QV_Containable* own = road.d->FindProperty(set.c_str());
            const QV_Type* domain = road.Reference(k).ExternalLink();
            unlinked = unlinked || (!own && !domain);
            expected.push_back(own ? own : domain ? &road.domain[k]->INTERIOR : nullptr);
        }
        for (int k = 0; k < array->IndexCount(); ++k)
            EXPECT_EQ(array->m_DeclaredSets[k], unlinked ? nullptr : expected[k]) << name << k;
    }
}

// Without one domain there is no grid along it and no equation: the structure pass refuses,
// the expression pass registers nothing. An unlinked domain keeps no dependent array.
TEST(DistributionTypes, IndexSetsAndMissingDomains) {
    for (const Kind& kind : kKinds) {
        for (int missing = -1; missing < kind.dimensions; ++missing) {
            SCOPED_TRACE(testing::Message() << kind.name << " without " << missing);
            AnyRoad road(kind, {"OCFE2", 2, 1.0, 0.25, 2}, kind.integrals);
            if (missing >= 0) road.Link(missing, nullptr);
            const int status = road.SetUp();
            road.d->SetDims();
            EXPECT_EQ(road.d->SetDimsCalls(), 2);
            ExpectArraysOverTheirSets(road);
            if (missing < 0) continue;
            EXPECT_EQ(status, RefusedNoDomain);
            for (const auto& [set, k] : road.Sets())
                EXPECT_EQ(set->fv().SetSize() == 0, k == missing) << set->Name();
            qvhost::RunJacPattern(*road.d);
            EXPECT_EQ(road.d->EquationCount(), 0);
            EXPECT_EQ(std::get<2>(kind.counters(*road.d)), 0);
            for (int k = 0; k < kind.dimensions; ++k)
                road.Link(k, nullptr);
            road.d->SetDims();
            for (int k = 0; k < kind.dimensions; ++k)
                EXPECT_EQ(road.domain[k]->INTERIOR.DependentCount(), 0) << k;
        }
    }
}

// On a grid of several sections and methods, with every integral, after a host part with
// equations of its own: those come first and the total counts them, and each element that an
// equation names lies in the index sets its array is declared over. A host part that fails is
// answered at once with its status, the counters untouched.
TEST(DistributionTypes, EquationsAfterTheHostPartsOwnNameElementsOfTheirSets) {
    const char* const methods[] = {"BFD1", "FFD2", "CFD2"};
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        AnyRoad road(kind, {"CFD2", 2, 1.0, 0.25, 2}, kind.integrals);
        for (int k = 0; k < kind.dimensions; ++k)
            road.domain[k]->DISCRETIZATIONMETHOD.UserSet(methods[k]);
        road.d->SetBaseEquations(3);
        const int total = road.SetUp();
        const auto [groupBase, own, unused] = kind.counters(*road.d);
        EXPECT_GT(own, 0);
        EXPECT_EQ(std::make_tuple(total, groupBase, road.d->StructureCount()),
                  std::make_tuple(3 + own, 1, total));
        EXPECT_EQ(qvhost::RunJacPattern(*road.d).counter, total);
        EXPECT_STREQ(road.d->EquationName(2), "QV_BaseEqn");
        EXPECT_EQ(std::string(road.d->EquationName(3)).rfind("QV_Eqn", 0), 0u);
        EXPECT_GT(road.d->EquationGroup(3), 1);
        for (const auto& [name, array] : road.Arrays())
            for (int k = 0; k < array->IndexCount(); ++k) {
                const std::vector<int> used = Members(array->IndexValues(k));
                const std::vector<int> declared = Members(array->m_DeclaredSets[k]->fv());
                EXPECT_TRUE(
                    std::includes(declared.begin(), declared.end(), used.begin(), used.end()))
                    << name << " index " << k << " uses " << testing::PrintToString(used);
            }

        const auto before = kind.counters(*road.d);
        road.d->FailSetUpEquations(-9);
        EXPECT_EQ(road.d->SetUpEquations(), -9);
        EXPECT_EQ(kind.counters(*road.d), before);
    }
}

// A grid of one node along X: every set along X from node 0, even one switched off, is [0..0].
TEST(DistributionTypes, SingleNodeAlongXKeepsNodeZero) {
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        AnyRoad road(kind, {"BFD1", 1, 1.0, 0.5, 1});
        road.Assign();
        road.domain[0]->ENDNODE.UserSet(0);
        road.d->ExecuteAssignments(3, 1);
        for (const auto& [set, k] : road.Sets())
            if (k == 0 && std::strcmp(set->Name(), "QV_D2DX2_SET1") != 0) {
                EXPECT_EQ(Members(set->fv()), std::vector<int>{0}) << set->Name();
            }
    }
}

// A domain whose node count went past 32 bits carries the sentinel -2147483648 as its last
// node: two sections, the first held at 2147483646 nodes in one element. Whichever direction
// carries it, the equations are refused, every index set keeps only nodes of its direction's
// grid (node 0 alone for the sentinel) and the integral sets, bounded by -ENDNODE without
// integrals, stay empty.
TEST(DistributionTypes, SentinelGridAlongEachDirection) {
    for (const Kind& kind : kKinds) {
        for (int own = 0; own < kind.dimensions; ++own) {
            SCOPED_TRACE(testing::Message() << kind.name << " along " << kDirections[own]);
            AnyRoad road(kind, {"BFD1", 1, 1.0, 0.25, 2});
            QV_DOMAIN& huge = *road.domain[own];
            huge.DISCRETIZATIONMETHOD.UserSet("OCFE3");
            huge.NUMSECTIONS.UserSet(2);
            (*huge.SECTION)(1).NODECOUNT.UserSet(2147483646);
            (*huge.SECTION)(1).NUMELEMENTS.UserSet(1);
            EXPECT_EQ(road.SetUp(), RefusedSectionOrder);
            ASSERT_EQ(huge.ENDNODE.v(), INT_MIN);
            for (const auto& [set, k] : road.Sets()) {
                const std::vector<int> members = Members(set->fv());
                const std::vector<int> grid = Members(road.domain[k]->QV_VALUE_SET1.fv());
                EXPECT_TRUE(std::includes(grid.begin(), grid.end(), members.begin(), members.end()))
                    << set->Name() << " holds " << testing::PrintToString(members);
                if (k == 0 && std::string(set->Name()).compare(0, 4, "QV_I") == 0) {
                    EXPECT_TRUE(members.empty()) << set->Name();
                }
            }
            qvhost::RunJacPattern(*road.d);
            EXPECT_EQ(road.d->EquationCount(), 0);
        }
    }
}

} // namespace
} // namespace norvane::test
