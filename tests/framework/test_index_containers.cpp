// Index containers over two to four integer and text indices: grid growth, element creation,
// reading of index texts, copies, and the limits (huge grids, failed allocations, long texts).
#include "framework/index_containers.h"
#include "framework/property_templates.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

namespace {

// A concrete array of real variables: records the slot of each element it makes, can refuse one.
template <class Base> class Array : public Base {
public:
    QV_Type* NewElement() override {
        if (--refuseIn == 0) return nullptr;
        madeAt.push_back(this->m_Position);
        return norvane::NewWithFlag<QV_REALVARIABLE>(); // as the library makes elements
    }
    std::vector<int> madeAt;
    int refuseIn = 0; // when n > 0: the n-th call from now makes nothing
};

// Empty, or the dense row-major grid of the set values with each element in its own slot.
::testing::AssertionResult IsDenseGrid(const QV_Matrix& a) {
    long long size = 1;
    for (int k = 0; k < a.IndexCount(); ++k)
        size *= a.IndexValues(k).SetSize();
    const unsigned slots = a.m_Elements.Elements();
    if (slots != 0 && slots != size) return ::testing::AssertionFailure() << slots << " slots";
    for (unsigned slot = 0; slot < slots; ++slot) {
        std::string text;
        for (int k = a.IndexCount() - 1, rest = int(slot); k >= 0; --k) {
            const QV_SetValue& set = a.IndexValues(k);
            const int p = rest % set.SetSize();
            rest /= set.SetSize();
            text.insert(0, (k ? "," : "") + (set.Type() == SUValue::TypeIntegerSet
                                                 ? std::to_string(set.Integer(p))
                                                 : std::string(set.String(p))));
        }
        if (a.ElementAt(slot) && text != a.ElementAt(slot)->IndexText())
            return ::testing::AssertionFailure() << "slot " << slot;
    }
    return ::testing::AssertionSuccess();
}

// The first Find makes the grid of the set values and one element; a repeat only looks up.
TEST(IndexContainerFind, FirstFindMakesTheGridAndARepeatOnlyLooksUp) {
    Array<QV_BASE_II> a;
    QV_Type* e = a.Find(3, 5);
    ASSERT_NE(e, nullptr);
    EXPECT_STREQ(e->IndexText(), "3,5");
    a.Find(4, 5);
    const long calls = qvhost::AllocationCalls();
    EXPECT_EQ(a.Find(3, 5), e);
    EXPECT_EQ(qvhost::AllocationCalls(), calls);

    Array<QV_BASE_II> b; // set values that hold values over an empty vector
    b.m_SetValues[0] = b.m_SetValues[1] = QV_IntSetValue(1, 3);
    e = b.Find(2, 7); // 7 joins the second index: a 3 x 4 grid
    EXPECT_EQ(b.m_Elements.Elements(), 12u);
    EXPECT_EQ(b.ElementAt(7), e);
    EXPECT_EQ(b.madeAt, std::vector<int>{7});
}

// Past 2^31 - 1 slots (65537^2 wraps in 32 bits, 70000^4 in 64) or on a failed allocation: null.
TEST(IndexContainerFind, GridThatCannotGrowGivesNull) {
    Array<QV_BASE_II> two;
    two.m_SetValues[0] = two.m_SetValues[1] = QV_IntSetValue(0, 65536);
    EXPECT_EQ(two.Find(1, 1), nullptr);
    Array<QV_BASE_IIII> four;
    for (QV_SetValue& set : four.m_SetValues)
        set = QV_IntSetValue(0, 69999);
    EXPECT_EQ(four.Find(0, 0, 0, 0), nullptr);
    EXPECT_EQ(four.NewElements(), 0);

    const long live = qvhost::LiveBlocks();
    auto* a = new Array<QV_BASE_II>();
    qvhost::FailAllocation(1);
    EXPECT_EQ(a->Find(1, 1), nullptr);
    ASSERT_NE(a->Find(1, 2), nullptr);
    qvhost::FailAllocation(1);
    EXPECT_EQ(a->Find(1, 3), nullptr); // refused in a growing grid: the grid stays usable
    ASSERT_NE(a->Find(1, 3), nullptr);
    EXPECT_TRUE(IsDenseGrid(*a));
    delete a;
    EXPECT_EQ(qvhost::LiveBlocks(), live);
}

// Walks from the last slot back; an unsized vector gets its grid; refusals are not counted.
TEST(IndexContainerNewElements, MakesTheMissingElementsOfANonEmptyGrid) {
    Array<QV_BASE_II> a;
    a.m_SetValues[0] = QV_IntSetValue(0, 1);
    EXPECT_EQ(a.NewElements(), 0); // the second index has no values
    a.m_SetValues[1] = QV_IntSetValue(0, 1);
    a.refuseIn = 2;
    EXPECT_EQ(a.NewElements(), 3);
    EXPECT_EQ(a.NewElements(), 1);
    EXPECT_EQ(a.madeAt, (std::vector<int>{3, 1, 0, 2})); // slot 2 was refused the first time
    EXPECT_EQ(a.NewElements(), 0);                       // the grid is full
    EXPECT_TRUE(IsDenseGrid(a));
}

// An index text that cannot be read, or a text index longer than its buffer, makes nothing.
TEST(IndexContainerIndexText, UnreadableTextMakesNothing) {
    Array<QV_BASE_III> a;
    for (const char* text : {"1,x,3)", "1,2)", "1,2,3", "1,,3)", "", "(1,2,3)", (const char*)0})
        a.CreateMissingArrayElement(text);
    EXPECT_EQ(a.m_SetValues[0].SetSize() + a.m_Elements.Elements(), 0u);
    a.CreateMissingArrayElement(" 1 , -2,3 )");
    ASSERT_EQ(a.m_Elements.Elements(), 1u);
    EXPECT_STREQ(a.ElementAt(0)->IndexText(), "1,-2,3");

    Array<QV_BASE_SS> b;
    const std::string longest(QV_Matrix::IndexBufferSize - 1, 'a'), tooLong(200, 'b');
    b.CreateMissingArrayElement((tooLong + ",c)").c_str());
    b.CreateMissingArrayElement(("c," + tooLong + ")").c_str());
    EXPECT_EQ(b.m_SetValues[0].SetSize() + b.m_SetValues[1].SetSize(), 0);
    b.CreateMissingArrayElement((longest + ",c)").c_str());
    EXPECT_EQ(b.m_SetValues[0].String(0), longest);
}

// A copy or an assigned array starts from the source's set values but grows its own.
TEST(IndexContainerCopy, CopyAndAssignmentWorkOnTheirOwnSetValues) {
    Array<QV_BASE_SI> source;
    QV_Type* original = source.Find("a", 1);
    source.Find("b", 2);
    Array<QV_BASE_SI> copy(source), assigned;
    assigned.Find("z", 7);
    assigned = source;
    for (Array<QV_BASE_SI>* a : {&copy, &assigned}) {
        EXPECT_TRUE(a->m_SetValues[0] == source.m_SetValues[0]);
        EXPECT_NE(a->Find("a", 1), original);
        ASSERT_NE(a->Find("c", 3), nullptr);
        EXPECT_TRUE(IsDenseGrid(*a));
    }
    EXPECT_EQ(source.m_SetValues[0].SetSize() * source.m_SetValues[1].SetSize(), 4);
}

// Every lookup finds the element made for its values, whatever the order in which the values
// joined: ascending, descending, below the first value, past a gap, negative.
TEST(IndexContainerLookups, FindTheElementsMadeInAnyOrderOfValues) {
    const std::vector<std::vector<std::pair<int, int>>> orders = {
        {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {2, 2}}, // a grid walked in order
        {{3, 3}, {2, 3}, {1, 3}, {3, 2}, {3, 1}, {0, 0}},         // descending
        {{5, 5}, {6, 6}, {9, 5}, {7, 5}, {8, 6}, {4, 4}, {1, 6}}, // gaps that close, a value below
        {{-2, 0}, {-1, -3}, {0, -2}, {-3, -1}, {2147483647, 0}},  // negative values, the largest
    };
    for (const auto& order : orders) {
        Array<QV_BASE_II> a;
        std::map<std::pair<int, int>, QV_Type*> found;
        for (const auto& [i, j] : order) {
            QV_Type* e = a.Find(i, j);
            ASSERT_NE(e, nullptr);
            EXPECT_EQ(e->IndexText(), std::to_string(i) + "," + std::to_string(j));
            found[{i, j}] = e;
            for (const auto& [at, element] : found)
                ASSERT_EQ(a.Find(at.first, at.second), element) << at.first << "," << at.second;
            EXPECT_EQ(a.Find(i, j), e);
            EXPECT_EQ(a.ElementAt(a.m_Position), e); // the lookup names the element's slot
        }
        EXPECT_TRUE(IsDenseGrid(a));
    }

    // Three indices: a cube walked with the last index outermost, as a pass along x does.
    Array<QV_BASE_III> cube;
    for (int k = 0; k < 3; ++k)
        for (int j = 0; j < 3; ++j)
            for (int i = 0; i < 3; ++i)
                ASSERT_NE(cube.Find(i, j, k), nullptr);
    EXPECT_TRUE(IsDenseGrid(cube));
    const long calls = qvhost::AllocationCalls();
    for (int i = 0; i < 3; ++i)
        EXPECT_STREQ(cube.Find(i, 2, 1)->IndexText(), (std::to_string(i) + ",2,1").c_str());
    EXPECT_EQ(cube.Find(3, 0, 0)->IndexText(), std::string("3,0,0"));
    EXPECT_GT(qvhost::AllocationCalls(), calls);
    EXPECT_TRUE(IsDenseGrid(cube));
}

// A set value relabelled from outside between two lookups (the same number of values, other
// values) is what the next lookup reads: the relabelled values find the elements of their
// positions, and a value that is no longer in the set joins it as a new one.
TEST(IndexContainerLookups, ALookupReadsTheSetValuesAsTheyAreNow) {
    Array<QV_BASE_II> a;
    QV_Type* first = a.Find(0, 0);
    QV_Type* second = a.Find(0, 1);
    a.m_SetValues[1] = QV_IntSetValue(10, 11);
    EXPECT_EQ(a.Find(0, 10), first);
    EXPECT_EQ(a.Find(0, 11), second);
    QV_Type* made = a.Find(0, 1);
    EXPECT_NE(made, second);
    EXPECT_EQ(a.m_SetValues[1].SetSize(), 3);
    EXPECT_EQ(a.ElementAt(0), made);

    Array<QV_BASE_IIII> b; // the 2^4 grid of 0 and 1, relabelled 5 and 6
    for (int slot = 0; slot < 16; ++slot)
        b.Find(slot >> 3, slot >> 2 & 1, slot >> 1 & 1, slot & 1);
    QV_Type* last = b.ElementAt(15);
    for (QV_SetValue& set : b.m_SetValues)
        set = QV_IntSetValue(5, 6);
    for (int slot = 0; slot < 16; ++slot)
        ASSERT_EQ(b.Find(5 + (slot >> 3), 5 + (slot >> 2 & 1), 5 + (slot >> 1 & 1), 5 + (slot & 1)),
                  b.ElementAt(slot));
    made = b.Find(1, 1, 1, 1);
    ASSERT_NE(made, nullptr);
    EXPECT_NE(made, last);
    EXPECT_STREQ(made->IndexText(), "1,1,1,1");
    EXPECT_EQ(b.m_Elements.Elements(), 81u);
}

template <class T> class IndexContainerKinds : public ::testing::Test {};
using AllContainers =
    ::testing::Types<QV_BASE_II, QV_BASE_III, QV_BASE_IIII, QV_BASE_IIIS, QV_BASE_IIS, QV_BASE_IISI,
                     QV_BASE_IISS, QV_BASE_IS, QV_BASE_ISI, QV_BASE_ISII, QV_BASE_ISIS, QV_BASE_ISS,
                     QV_BASE_ISSI, QV_BASE_ISSS, QV_BASE_SI, QV_BASE_SII, QV_BASE_SIII,
                     QV_BASE_SIIS, QV_BASE_SIS, QV_BASE_SISI, QV_BASE_SISS, QV_BASE_SS, QV_BASE_SSI,
                     QV_BASE_SSII, QV_BASE_SSIS, QV_BASE_SSS, QV_BASE_SSSI, QV_BASE_SSSS>;
TYPED_TEST_SUITE(IndexContainerKinds, AllContainers);

template <class T, std::size_t... K>
void DeclareSets(T& array, QV_INTEGERSET (&sets)[4], std::index_sequence<K...>) {
    array.SetDim(sets[K]...);
}

// The kinds come from the class name (QV_BASE_ISI: integer, text, integer); each text index
// has its own buffer. Each index in turn gets a new value, first or last: the grid doubles.
TYPED_TEST(IndexContainerKinds, FollowsItsIndexKinds) {
    const std::string name = typeid(TypeParam).name(), kinds = name.substr(name.rfind('_') + 1);
    constexpr int n = sizeof(TypeParam::m_SetValues) / sizeof(QV_SetValue);
    ASSERT_EQ(static_cast<int>(kinds.size()), n);
    const long live = qvhost::LiveBlocks();
    auto* array = new Array<TypeParam>();
    std::string values[n];
    for (int k = 0; k < n; ++k) {
        EXPECT_EQ(array->m_SetValues[k].Type(),
                  kinds[k] == 'I' ? SUValue::TypeIntegerSet : SUValue::TypeStringSet);
        values[k] = kinds[k] == 'I' ? std::to_string(10 * k + 1) : std::string(k + 1, 'a' + k);
    }
    for (int grown = 0; grown <= n; ++grown) {
        std::string text;
        for (int k = 0; k < n; ++k)
            text += values[k] + (k + 1 < n ? "," : ")");
        array->CreateMissingArrayElement(text.c_str());
        ASSERT_EQ(array->m_Elements.Elements(), 1u << grown);
        EXPECT_EQ(array->ElementAt(array->m_Position)->IndexText(),
                  text.substr(0, text.size() - 1));
        EXPECT_TRUE(IsDenseGrid(*array));
        if (grown < n) values[grown] = kinds[grown] == 'I' ? (grown % 2 ? "-5" : "99") : "A";
    }
    QV_INTEGERSET sets[4];
    DeclareSets(*array, sets, std::make_index_sequence<n>());
    for (int k = 0; k < n; ++k)
        EXPECT_EQ(array->m_DeclaredSets[k], &sets[k]);
    delete static_cast<QV_Matrix*>(array); // through the host base
    EXPECT_EQ(qvhost::LiveBlocks(), live);
    EXPECT_EQ(sets[0].DependentCount(), 0);
}

} // namespace
