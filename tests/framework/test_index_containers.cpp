// Index containers over two to four integer and text indices: grid growth, element creation,
// reading of index texts, copies, and the limits (huge grids, failed allocations, long texts).
#include "framework/index_containers.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// A container made concrete: its elements are real variables; it records the slot of each
// element that it makes and can be told to refuse one.
template <class Base>
class Array : public Base {
public:
    Array() = default;
    Array(const Array& other) : Base(other) {}
    Array& operator=(const Array& other) {
        Base::operator=(other);
        return *this;
    }
    QV_Type* NewElement() override {
        if (--refuseIn == 0) return nullptr;
        madeAt.push_back(this->m_Position);
        return new QV_REALVARIABLE(true);
    }
    std::vector<int> madeAt;
    int refuseIn = 0; // when n > 0: the n-th call from now makes nothing
};

// The vector is the dense row-major grid of the set values that the host base sees, and each
// element sits in the slot of its own index values.
::testing::AssertionResult IsDenseGrid(const QV_Matrix& array) {
    const int n = array.IndexCount();
    long long size = 1;
    for (int k = 0; k < n; ++k) size *= array.IndexValues(k).SetSize();
    const unsigned slots = array.m_Elements.Elements();
    if (slots != 0 && slots != size)
        return ::testing::AssertionFailure() << slots << " slots for a grid of " << size;
    for (unsigned slot = 0; slot < slots; ++slot) {
        if (!array.ElementAt(slot)) continue;
        std::string expected;
        for (int k = n - 1, rest = int(slot); k >= 0; --k) {
            const QV_SetValue& set = array.IndexValues(k);
            const int p = rest % set.SetSize();
            rest /= set.SetSize();
            expected.insert(0, (k ? "," : "") + (set.Type() == SUValue::TypeIntegerSet
                                                     ? std::to_string(set.Integer(p))
                                                     : std::string(set.String(p))));
        }
        if (expected != array.ElementAt(slot)->IndexText())
            return ::testing::AssertionFailure() << "slot " << slot << " holds "
                                                 << array.ElementAt(slot)->IndexText();
    }
    return ::testing::AssertionSuccess();
}

// --- Find ------------------------------------------------------------------------------------

TEST(IndexContainerFind, FirstFindMakesTheGridAndLaterOnesOnlyLookUp) {
    Array<QV_BASE_II> a;
    QV_Type* e = a.Find(3, 5);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(a.m_SetValues[0].Integer(0) * 10 + a.m_SetValues[1].Integer(0), 35);
    EXPECT_EQ(a.m_Elements.Elements(), 1u);
    EXPECT_EQ(a.ElementAt(0), e);
    EXPECT_EQ(a.m_Position, 0);
    EXPECT_STREQ(e->IndexText(), "3,5");

    a.Find(4, 5);
    const long calls = qvhost::AllocationCalls();
    EXPECT_EQ(a.Find(3, 5), e);
    EXPECT_EQ(qvhost::AllocationCalls(), calls);
    EXPECT_EQ(a.m_Position, 0);
    EXPECT_EQ(a.madeAt.size(), 2u);
}

class IndexContainerGrid : public ::testing::Test {
protected:
    // A 2 x 3 grid, first values 1, 2, second values 10, 20, 30, with all six elements.
    void SetUp() override {
        for (int i : {1, 2})
            for (int j : {10, 20, 30}) before.push_back({i, j, a.Find(i, j)});
    }
    void ExpectOldElementsKept() {
        EXPECT_TRUE(IsDenseGrid(a));
        for (const Old& old : before) EXPECT_EQ(a.Find(old.i, old.j), old.element);
    }
    struct Old {
        int i, j;
        QV_Type* element;
    };
    Array<QV_BASE_II> a;
    std::vector<Old> before;
};

TEST_F(IndexContainerGrid, NewSecondValueBeforeAllOthersOpensAColumn) {
    QV_Type* e = a.Find(2, 5);
    EXPECT_EQ(a.m_Elements.Elements(), 8u);
    EXPECT_EQ(a.m_Position, 4);
    EXPECT_EQ(a.ElementAt(4), e);
    EXPECT_EQ(a.ElementAt(0), nullptr);
    EXPECT_STREQ(a.ElementAt(7)->IndexText(), "2,30");
    ExpectOldElementsKept();
}

TEST_F(IndexContainerGrid, BothValuesNewOpenAColumnThenARow) {
    QV_Type* e = a.Find(0, 5);
    EXPECT_EQ(a.m_Elements.Elements(), 12u);
    EXPECT_EQ(a.ElementAt(0), e);
    for (unsigned slot : {1u, 2u, 3u, 4u, 8u}) EXPECT_EQ(a.ElementAt(slot), nullptr) << slot;
    EXPECT_STREQ(a.ElementAt(5)->IndexText(), "1,10");
    ExpectOldElementsKept();
}

// Values arriving in scrambled order on every index: each step keeps the grid dense, and
// every element is found again where it was.
template <class Base, class Key>
void GrowInScrambledOrder(Key find) {
    Array<Base> a;
    std::vector<QV_Type*> made;
    for (int step = 0; step < 40; ++step) {
        made.push_back(find(a, (step * 7 + 3) % 11, step));
        ASSERT_NE(made.back(), nullptr);
        ASSERT_TRUE(IsDenseGrid(a)) << "after step " << step;
    }
    for (int step = 0; step < 40; ++step) EXPECT_EQ(find(a, (step * 7 + 3) % 11, step), made[step]);
}

TEST(IndexContainerFind, GridStaysDenseWhateverTheOrderOfNewValues) {
    GrowInScrambledOrder<QV_BASE_III>(
        [](auto& a, int v, int step) { return a.Find(v % 3, (v * 5) % 7, step % 4 - v); });
    GrowInScrambledOrder<QV_BASE_SISI>([](auto& a, int v, int step) {
        const std::string s1 = "k" + std::to_string(v % 4), s3(1, char('a' + step % 5));
        return a.Find(s1.c_str(), v % 3 - 1, s3.c_str(), step % 2);
    });
}

TEST(IndexContainerFind, SetValuesWithValuesAndNoSlotsGetTheWholeGrid) {
    Array<QV_BASE_II> a;
    a.m_SetValues[0] = QV_IntSetValue(1, 3);
    a.m_SetValues[1] = QV_IntSetValue(1, 2);
    QV_Type* e = a.Find(2, 7); // 7 joins the second index: a 3 x 3 grid
    EXPECT_EQ(a.m_Elements.Elements(), 9u);
    EXPECT_EQ(a.ElementAt(5), e);
    EXPECT_EQ(a.madeAt, std::vector<int>{5});
}

TEST(IndexContainerFind, GridBeyondTheSlotLimitGivesNull) {
    Array<QV_BASE_II> two; // 65537 x 65537 slots: 2^32 + 131073, never cut down to an int
    two.m_SetValues[0] = QV_IntSetValue(0, 65536);
    two.m_SetValues[1] = QV_IntSetValue(0, 65536);
    EXPECT_EQ(two.Find(1, 1), nullptr);
    EXPECT_EQ(two.m_Elements.Elements(), 0u);

    Array<QV_BASE_IIII> four; // the product of these sizes does not even fit 64 bits
    for (QV_SetValue& set : four.m_SetValues) set = QV_IntSetValue(0, 69999);
    EXPECT_EQ(four.Find(0, 0, 0, 0), nullptr);
    EXPECT_EQ(four.NewElements(), 0);
    EXPECT_EQ(four.m_Elements.Elements(), 0u);
    EXPECT_TRUE(four.madeAt.empty());
}

TEST(IndexContainerFind, FailedAllocationGivesNullAndLeaksNothing) {
    const long live = qvhost::LiveBlocks();
    auto* a = new Array<QV_BASE_II>();
    qvhost::FailAllocation(1);
    EXPECT_EQ(a->Find(1, 1), nullptr);
    ASSERT_NE(a->Find(1, 2), nullptr);
    qvhost::FailAllocation(1);
    EXPECT_EQ(a->Find(1, 3), nullptr); // refused in a growing grid: the grid stays usable
    EXPECT_TRUE(IsDenseGrid(*a));
    ASSERT_NE(a->Find(1, 3), nullptr);
    EXPECT_STREQ(a->Find(1, 3)->IndexText(), "1,3");
    delete a;
    EXPECT_EQ(qvhost::LiveBlocks(), live);
}

TEST(IndexContainerFind, NullTextIsTheEmptyText) {
    Array<QV_BASE_SS> a;
    QV_Type* e = a.Find(nullptr, "x");
    EXPECT_EQ(a.Find("", "x"), e);
    EXPECT_EQ(a.Find(nullptr, "x"), e);
    EXPECT_EQ(a.m_SetValues[0].SetSize(), 1);
}

// --- NewElements -----------------------------------------------------------------------------

TEST(IndexContainerNewElements, EmptySetValueOrFullGridMakesNothing) {
    Array<QV_BASE_II> a;
    a.m_SetValues[0] = QV_IntSetValue(1, 2);
    EXPECT_EQ(a.NewElements(), 0);
    EXPECT_EQ(a.m_Elements.Elements(), 0u);
    a.Find(1, 1);
    a.Find(2, 1);
    EXPECT_EQ(a.NewElements(), 0);
    EXPECT_EQ(a.madeAt.size(), 2u);
}

TEST(IndexContainerNewElements, WalksTheGridBackwards) {
    Array<QV_BASE_II> a;
    a.m_SetValues[0] = QV_IntSetValue(0, 1);
    a.m_SetValues[1] = QV_IntSetValue(0, 1);
    QV_Type* first = a.Find(0, 0);
    EXPECT_EQ(a.NewElements(), 3);
    EXPECT_EQ(a.madeAt, (std::vector<int>{0, 3, 2, 1}));
    EXPECT_EQ(a.m_Position, 0); // (0,0) was visited last
    EXPECT_EQ(a.ElementAt(0), first);
    EXPECT_TRUE(IsDenseGrid(a));
}

TEST(IndexContainerNewElements, UnsizedVectorGetsItsGridFirst) {
    Array<QV_BASE_IS> a;
    a.m_SetValues[0] = QV_IntSetValue(1, 2);
    a.m_SetValues[1] = QV_StrSetValue("a\"b\"c");
    a.refuseIn = 2;
    EXPECT_EQ(a.NewElements(), 5); // a refused element is not counted
    EXPECT_EQ(a.m_Elements.Elements(), 6u);
    EXPECT_EQ(a.ElementAt(4), nullptr);
    EXPECT_TRUE(IsDenseGrid(a));
    EXPECT_EQ(a.NewElements(), 1);
}

// Set values changed behind the array's back: no slot outside the vector is read or filled.
TEST(IndexContainerNewElements, VectorThatIsNotTheGridIsLeftAlone) {
    Array<QV_BASE_II> a;
    a.Find(0, 0);
    a.m_SetValues[1] += 5; // a 1 x 2 grid over a single slot
    EXPECT_EQ(a.NewElements(), 0);
    EXPECT_EQ(a.Find(0, 5), nullptr);

    Array<QV_BASE_II> b; // four slots under a 1 x 3 grid
    b.m_SetValues[0] = QV_IntSetValue(0, 1);
    b.m_SetValues[1] = QV_IntSetValue(0, 1);
    b.Find(0, 0);
    b.m_SetValues[0] = QV_IntSetValue(0, 0);
    b.m_SetValues[1] = QV_IntSetValue(0, 2);
    EXPECT_EQ(b.NewElements(), 0);
    EXPECT_EQ(a.madeAt.size() + b.madeAt.size(), 2u);
}

// --- CreateMissingArrayElement ---------------------------------------------------------------

TEST(IndexContainerIndexText, UnreadableValueMakesNothing) {
    Array<QV_BASE_III> a;
    for (const char* text : {"1,x,3)", "1,2)", "1,2,3", "1,,3)", "", "(1,2,3)"})
        a.CreateMissingArrayElement(text);
    a.CreateMissingArrayElement(nullptr);
    EXPECT_EQ(a.m_SetValues[0].SetSize(), 0);
    EXPECT_EQ(a.m_Elements.Elements(), 0u);
    a.CreateMissingArrayElement(" 1 , -2,3 )");
    ASSERT_EQ(a.m_Elements.Elements(), 1u);
    EXPECT_STREQ(a.ElementAt(0)->IndexText(), "1,-2,3");
}

TEST(IndexContainerIndexText, EachTextIndexHasItsOwnBuffer) {
    Array<QV_BASE_SS> two;
    two.CreateMissingArrayElement("left,right)");
    EXPECT_STREQ(two.m_SetValues[0].String(0), "left");
    EXPECT_STREQ(two.m_SetValues[1].String(0), "right");

    Array<QV_BASE_SSSS> four;
    four.CreateMissingArrayElement("w,x,y,z)");
    ASSERT_EQ(four.m_Elements.Elements(), 1u);
    EXPECT_STREQ(four.ElementAt(0)->IndexText(), "w,x,y,z");
    EXPECT_STREQ(four.m_SetValues[2].String(0), "y");
}

TEST(IndexContainerIndexText, TextLongerThanTheBufferIsRefused) {
    Array<QV_BASE_SS> a;
    const std::string longest(QV_Matrix::IndexBufferSize - 1, 'a'), tooLong(200, 'b');
    a.CreateMissingArrayElement((tooLong + ",c)").c_str());
    a.CreateMissingArrayElement(("c," + tooLong + ")").c_str());
    EXPECT_EQ(a.m_SetValues[0].SetSize() + a.m_SetValues[1].SetSize(), 0);
    EXPECT_TRUE(a.madeAt.empty());
    a.CreateMissingArrayElement((longest + ",c)").c_str());
    EXPECT_EQ(a.m_SetValues[0].String(0), longest);
}

// --- Declared sets, copies and assignment ----------------------------------------------------

TEST(IndexContainerSets, SetDimDeclaresTheSetsAndReplacesEarlierOnes) {
    QV_INTEGERSET s1, s2, s3;
    QV_STRINGSET s4;
    auto* a = new Array<QV_BASE_IS>();
    a->SetDim(s1, s2);
    EXPECT_EQ(s1.DependentCount(), 1);
    a->SetDim(s3, s4); // the kinds of the sets are not checked
    EXPECT_EQ(s1.DependentCount() + s2.DependentCount(), 0);
    EXPECT_EQ(a->m_DeclaredSets[0], &s3);
    EXPECT_EQ(a->m_DeclaredSets[1], &s4);
    EXPECT_EQ(s4.DependentCount(), 1);
    delete a;
    EXPECT_EQ(s3.DependentCount() + s4.DependentCount(), 0);
}

TEST(IndexContainerSets, CopyWorksOnItsOwnSetValues) {
    Array<QV_BASE_SI> source;
    QV_Type* original = source.Find("a", 1);
    source.Find("b", 2);

    Array<QV_BASE_SI> copy(source);
    EXPECT_EQ(&copy.IndexValues(0), &copy.m_SetValues[0]);
    EXPECT_EQ(&copy.IndexValues(1), &copy.m_SetValues[1]);
    EXPECT_EQ(copy.m_SetValues[0].Type(), SUValue::TypeStringSet);
    EXPECT_TRUE(copy.m_SetValues[0] == source.m_SetValues[0]);
    QV_Type* own = copy.Find("a", 1);
    EXPECT_NE(own, original);
    EXPECT_EQ(copy.m_Elements.Elements(), 4u);
    copy.Find("c", 3);
    EXPECT_EQ(source.m_SetValues[0].SetSize(), 2);
    EXPECT_EQ(source.m_Elements.Elements(), 4u);
    EXPECT_TRUE(IsDenseGrid(copy));
}

TEST(IndexContainerSets, AssignmentTakesTheOtherGrid) {
    Array<QV_BASE_II> source, target;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) source.Find(i, j);
    target.Find(7, 7);

    target = source;
    EXPECT_TRUE(target.m_SetValues[0] == source.m_SetValues[0]);
    EXPECT_TRUE(target.m_SetValues[1] == source.m_SetValues[1]);
    EXPECT_TRUE(IsDenseGrid(target));
    const size_t made = target.madeAt.size();
    QV_Type* e = target.Find(1, 0);
    EXPECT_NE(e, source.Find(1, 0));
    EXPECT_EQ(target.madeAt.size(), made);

    target.Find(5, 5);
    EXPECT_EQ(source.m_SetValues[0].SetSize(), 2);
    const Array<QV_BASE_II>& same = target;
    target = same;
    EXPECT_EQ(target.m_Elements.Elements(), 9u);
    EXPECT_EQ(target.Find(1, 0), e);
}

// --- Every container: typed set values, index texts of each kind, deletion through the base --

template <class T>
struct Kinds;
#define QV_KINDS(K)                                                                            \
    template <>                                                                                \
    struct Kinds<QV_BASE_##K> {                                                                \
        static constexpr const char* text = #K;                                                \
    };
QV_KINDS(II) QV_KINDS(III) QV_KINDS(IIII) QV_KINDS(IIIS) QV_KINDS(IIS) QV_KINDS(IISI)
QV_KINDS(IISS) QV_KINDS(IS) QV_KINDS(ISI) QV_KINDS(ISII) QV_KINDS(ISIS) QV_KINDS(ISS)
QV_KINDS(ISSI) QV_KINDS(ISSS) QV_KINDS(SI) QV_KINDS(SII) QV_KINDS(SIII) QV_KINDS(SIIS)
QV_KINDS(SIS) QV_KINDS(SISI) QV_KINDS(SISS) QV_KINDS(SS) QV_KINDS(SSI) QV_KINDS(SSII)
QV_KINDS(SSIS) QV_KINDS(SSS) QV_KINDS(SSSI) QV_KINDS(SSSS)
#undef QV_KINDS

template <class T>
class EveryIndexContainer : public ::testing::Test {};
using AllContainers =
    ::testing::Types<QV_BASE_II, QV_BASE_III, QV_BASE_IIII, QV_BASE_IIIS, QV_BASE_IIS,
                     QV_BASE_IISI, QV_BASE_IISS, QV_BASE_IS, QV_BASE_ISI, QV_BASE_ISII,
                     QV_BASE_ISIS, QV_BASE_ISS, QV_BASE_ISSI, QV_BASE_ISSS, QV_BASE_SI,
                     QV_BASE_SII, QV_BASE_SIII, QV_BASE_SIIS, QV_BASE_SIS, QV_BASE_SISI,
                     QV_BASE_SISS, QV_BASE_SS, QV_BASE_SSI, QV_BASE_SSII, QV_BASE_SSIS,
                     QV_BASE_SSS, QV_BASE_SSSI, QV_BASE_SSSS>;
TYPED_TEST_SUITE(EveryIndexContainer, AllContainers);

template <class T, std::size_t... K>
void DeclareSets(T& array, QV_INTEGERSET (&sets)[4], std::index_sequence<K...>) {
    array.SetDim(sets[K]...);
}

TYPED_TEST(EveryIndexContainer, FollowsItsIndexKinds) {
    const std::string kinds = Kinds<TypeParam>::text;
    constexpr int n = sizeof(TypeParam::m_SetValues) / sizeof(QV_SetValue);
    ASSERT_EQ(static_cast<int>(kinds.size()), n);

    const long live = qvhost::LiveBlocks();
    auto* array = new Array<TypeParam>();
    EXPECT_EQ(array->IndexCount(), n);
    std::string text, index;
    for (int k = 0; k < n; ++k) {
        const bool integer = kinds[k] == 'I';
        EXPECT_EQ(array->m_SetValues[k].Type(),
                  integer ? SUValue::TypeIntegerSet : SUValue::TypeStringSet);
        EXPECT_EQ(&array->IndexValues(k), &array->m_SetValues[k]);
        const std::string value = integer ? std::to_string(10 * k + 1) : std::string(k + 1, 'a' + k);
        index += (k ? "," : "") + value;
        text += value + (k + 1 < n ? "," : ")");
    }
    array->CreateMissingArrayElement(text.c_str());
    ASSERT_EQ(array->m_Elements.Elements(), 1u);
    EXPECT_STREQ(array->ElementAt(0)->IndexText(), index.c_str());
    // A second value of the last index.
    text = text.substr(0, text.rfind(',') + 1) + (kinds[n - 1] == 'I' ? "0)" : "zz)");
    array->CreateMissingArrayElement(text.c_str());
    EXPECT_EQ(array->m_Elements.Elements(), 2u);
    EXPECT_TRUE(IsDenseGrid(*array));

    QV_INTEGERSET sets[4];
    DeclareSets(*array, sets, std::make_index_sequence<n>());
    for (int k = 0; k < n; ++k) EXPECT_EQ(array->m_DeclaredSets[k], &sets[k]);
    QV_Matrix* base = array;
    delete base;
    EXPECT_EQ(qvhost::LiveBlocks(), live);
    EXPECT_EQ(sets[0].DependentCount(), 0);
}

} // namespace
