// The host stand-in's values and lookups: a value holds a number or a payload, and set and
// array lookups skip the search where they can. The answers must be those of a plain search,
// whatever the order of lookups and of arrivals.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <set>
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
// set holds each once, in order, and its runs give the answers of a plain search, in any order
// of lookups.
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

// The members read back are `expected`, and every lookup (each member, its neighbours, the
// values around them and the ends of the int range) answers as a search of them does.
::testing::AssertionResult AnswersAsASearch(const SUValue& set, const std::set<int>& expected) {
    const std::vector<int> members(expected.begin(), expected.end());
    std::vector<int> read;
    for (int k = 0; k < set.SetSize(); ++k)
        read.push_back(set.IntegerAt(k));
    if (read != members) return ::testing::AssertionFailure() << "members differ";
    std::vector<long long> probes = {INT_MIN, INT_MAX};
    for (long long v = -25; v <= 25; ++v)
        probes.push_back(v);
    for (int m : members)
        probes.insert(probes.end(), {m - 1LL, m + 1LL});
    for (long long v : probes) {
        if (v < INT_MIN || v > INT_MAX) continue;
        const auto it = std::lower_bound(members.begin(), members.end(), v);
        int position = -1;
        const bool present = set.SetContains(static_cast<int>(v), position) != 0;
        if (present != (it != members.end() && *it == v) || position != it - members.begin())
            return ::testing::AssertionFailure() << "lookup of " << v;
    }
    return ::testing::AssertionSuccess();
}

// An integer set changed in every way the host offers (a member added by +=, or inserted where
// the lookup puts it; the union and the intersection with a run; a copy, an assignment, Clear,
// ResetType, a number made a set again) answers each lookup after the change as a search of
// its members does: no answer comes from the members before the change. Values lie close
// together, so that runs form, join, part and shrink, and reach the ends of the int range.
TEST(HostSet, LookupsFollowEveryChangeOfTheSet) {
    std::mt19937 random(11);
    const int ends[] = {INT_MIN, INT_MIN + 1, INT_MAX - 1, INT_MAX};
    QV_SetValue set(SUValue::TypeIntegerSet);
    std::set<int> expected;
    for (int step = 0; step < 3000; ++step) {
        const int v = random() % 8 ? static_cast<int>(random() % 41) - 20 : ends[random() % 4];
        // The run v .. high, of one to five members.
        const int high = static_cast<int>(std::min<long long>(INT_MAX, v + random() % 5LL));
        std::set<int> run;
        for (long long k = v; k <= high; ++k)
            run.insert(static_cast<int>(k));
        switch (random() % 8) {
        case 0:
            set += v;
            expected.insert(v);
            break;
        case 1: {
            int position = -1;
            if (!set.SetContains(v, position)) set.SetAddAtOffset(v, position);
            expected.insert(v);
            break;
        }
        case 2: // a run after the last member is appended; any other is merged
            set += QV_IntSetValue(v, high);
            expected.insert(run.begin(), run.end());
            break;
        case 3:
            set *= QV_IntSetValue(v, high);
            expected.erase(expected.begin(), expected.lower_bound(v));
            expected.erase(expected.upper_bound(high), expected.end());
            break;
        case 4: { // a copy answers for itself, then takes the place of the set
            const QV_SetValue copy(set);
            ASSERT_TRUE(AnswersAsASearch(copy, expected)) << "copy, step " << step;
            set = copy;
            break;
        }
        case 5: // another set's members, by assignment
            set = QV_IntSetValue(v, high);
            expected = run;
            break;
        case 6: // emptied now and then
            if (random() % 4) break;
            if (step % 2)
                set.Clear(0);
            else
                set.ResetType(SUValue::TypeIntegerSet);
            expected.clear();
            break;
        default: // now and then a number, which becomes a set again when a member is inserted
            if (random() % 4) break;
            set = SUValue(high);
            set.SetAddAtOffset(v, 0);
            expected = {v};
            break;
        }
        ASSERT_TRUE(AnswersAsASearch(set, expected)) << "step " << step;
        // Equal to the same members put in from the last, unequal to them with one more.
        QV_SetValue same(SUValue::TypeIntegerSet), more(SUValue::TypeIntegerSet);
        for (auto m = expected.rbegin(); m != expected.rend(); ++m)
            same.SetAddAtOffset(*m, 0);
        int extra = expected.empty() ? 0 : *expected.rbegin();
        if (!expected.empty() && extra < INT_MAX)
            ++extra; // a run that is one longer
        else
            while (expected.count(extra))
                --extra;
        more = same;
        more += extra;
        ASSERT_TRUE(set == same && same == set) << "step " << step;
        ASSERT_FALSE(set == more || more == set) << "step " << step;
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
