// The host stand-in's values and lookups: a value holds a number or a payload, and set and
// array lookups skip the search where they can. The answers must be those of a plain search,
// whatever the order of lookups and of arrivals.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <string>
#include <vector>

#include "host/qvcore.h"

namespace {

TEST(HostValue, EveryKindReadsBackAfterAnyChangeOfKind) {
    const std::vector<SUValue> kinds = {
        SUValue(),       SUValue(7),           SUValue(-2.5),
        SUValue("text"), QV_IntSetValue(1, 3), QV_StrSetValue("a\"b")};
    for (const SUValue& from : kinds) {
        for (const SUValue& to : kinds) {
            SUValue v(from);
            v = to;
            EXPECT_EQ(v.Type(), to.Type());
            EXPECT_EQ(v.IntValue(), to.IntValue());
            EXPECT_EQ(v.RealValue(), to.RealValue());
            EXPECT_STREQ(v.Text(), to.Text());
            EXPECT_EQ(v.SetSize(), to.SetSize());
            v.ResetType(from.Type());
            EXPECT_EQ(v.SetSize(), 0);
            EXPECT_EQ(v.RealValue(), 0.0);
        }
    }
    SUValue number(5);
    number.SetAddAtOffset(9, 0); // a number has no members: it becomes a set first
    EXPECT_TRUE(number.IsSet());
    EXPECT_EQ(number.SetSize(), 1);
    EXPECT_EQ(number.IntValue(), 0);
}

// Members 1..5, 7..9 and 20, in runs that overlap, then out of order and twice over: the
// set holds each once, in order. The run from the first member, the member found last, the
// end and the binary search all give the answers of a plain search, in any order of lookups.
TEST(HostSet, LookupsAgreeWithASearchInAnyOrder) {
    QV_SetValue set(SUValue::TypeIntegerSet);
    set += QV_IntSetValue(1, 3);
    set += QV_IntSetValue(3, 5);
    for (int v : {20, 7, 9, 2, 8, 7, 20})
        set += v;
    std::vector<int> members;
    for (int k = 0; k < set.SetSize(); ++k)
        members.push_back(set.Integer(k));
    ASSERT_EQ(members, (std::vector<int>{1, 2, 3, 4, 5, 7, 8, 9, 20}));
    std::vector<int> probes;
    for (int v = -2; v <= 23; ++v)
        probes.push_back(v);
    probes.push_back(INT_MIN);
    probes.push_back(INT_MAX);
    std::vector<std::vector<int>> orders = {probes, probes, probes};
    std::reverse(orders[1].begin(), orders[1].end());
    std::shuffle(orders[2].begin(), orders[2].end(), std::mt19937(7));
    for (const std::vector<int>& order : orders) {
        for (int v : order) {
            const auto it = std::lower_bound(members.begin(), members.end(), v);
            int position = -1;
            const int present = set.SetContains(v, position);
            EXPECT_EQ(present != 0, it != members.end() && *it == v) << v;
            EXPECT_EQ(position, it - members.begin()) << v;
        }
    }
}

// A one-index array of real variables made by the host alone.
struct RealArray : QV_BASE_I {
    QV_Type* NewElement() override { return new QV_REALVARIABLE(true); }
};

// Whatever the order in which index values arrive, each finds its own element, named by it,
// and a second lookup finds the same element.
TEST(HostArray, ElementsAreFoundByTheirIndexInAnyOrderOfArrival) {
    std::vector<int> ascending;
    for (int v = -3; v < 40; ++v)
        ascending.push_back(v);
    std::vector<int> descending(ascending.rbegin(), ascending.rend());
    std::vector<int> shuffled = ascending;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(3));
    const std::vector<int> gapsAndEnds = {5, 6, 9, 7, 8, 4, INT_MAX, INT_MIN, 0, 10, 3, -1};
    const std::vector<int> newFront = {10, 11, 12, 5, 6, 7, 9, 8, 4};
    for (const std::vector<int>& order : {ascending, descending, shuffled, gapsAndEnds, newFront}) {
        RealArray array;
        std::vector<QV_Type*> made;
        for (int v : order)
            made.push_back(array.Find(v));
        for (std::size_t k = 0; k < order.size(); ++k) {
            ASSERT_NE(made[k], nullptr);
            EXPECT_EQ(array.Find(order[k]), made[k]) << order[k];
            EXPECT_EQ(made[k]->IndexText(), std::to_string(order[k]));
            EXPECT_EQ(array.ElementAt(static_cast<unsigned>(array.m_Position)), made[k]);
        }
        EXPECT_EQ(array.m_Elements.Elements(), order.size());
    }
}

} // namespace
