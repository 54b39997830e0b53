// Which equation instances the scheme produces, and in which order.
#include "tests/distribution1d/scheme_fixture.h"

#include <gtest/gtest.h>

namespace norvane::test {
namespace {

// "site@anchor:section" for each instance, blank-separated.
std::string Sequence(const std::vector<Instance>& instances) {
    std::string text;
    for (const Instance& i : instances) {
        if (!text.empty()) text += ' ';
        text += std::to_string(i.number) + '@' + std::to_string(i.anchor) + ':' +
                std::to_string(i.section);
    }
    return text;
}

int CountSite(const std::vector<Instance>& instances, int number) {
    int count = 0;
    for (const Instance& i : instances)
        count += i.number == number;
    return count;
}

TEST(Scheme1DOrder, FiniteDifferenceSubBlocksEachLoopOverTheSections) {
    const Grid one = MakeGrid("BFD1", {1.0}, {4});
    GridInputs in(one);
    EXPECT_EQ(Sequence(Walk(in)), "1@0:0 2@0:1 3@1:1 3@2:1 3@3:1 3@4:1 "
                                  "4@1:1 4@2:1 4@3:1 6@0:1 6@1:1 6@2:1 6@3:1"); // 3N + 1

    const Grid two = MakeGrid("BFD1", {0.4, 0.6}, {2, 3});
    GridInputs joined(two);
    joined.idx = false; // no "QV_Eqn1": the names of the other sites stay
    EXPECT_EQ(Sequence(Walk(joined)), "2@0:1 3@1:1 3@2:1 3@3:2 3@4:2 3@5:2 "
                                      "4@1:1 4@3:2 4@4:2 5@2:2");

    const Grid pairs = MakeGrid("BFD2", {0.5, 0.5}, {1, 2});
    GridInputs integralsOnly(pairs);
    integralsOnly.orderUsed = 0;
    EXPECT_EQ(Sequence(Walk(integralsOnly)), "1@0:0 12@0:1 13@0:1 12@2:2 13@2:2 12@4:2 13@4:2");
}

TEST(Scheme1DOrder, CollocationRunsSectionThenSubBlockThenElement) {
    const Grid grid = MakeGrid("OCFE3", {0.6, 0.4}, {2, 1});
    GridInputs in(grid);
    EXPECT_EQ(Sequence(Walk(in)),
              "1@0:0 68@0:1 69@0:1 70@0:1 71@0:1 69@3:1 70@3:1 71@3:1 "
              "73@0:1 74@0:1 72@3:1 73@3:1 74@3:1 75@0:1 76@0:1 77@0:1 75@3:1 76@3:1 77@3:1 "
              "69@6:2 70@6:2 71@6:2 72@6:2 73@6:2 74@6:2 75@6:2 76@6:2 77@6:2");

    in.order = 3; // the join tests HIGHESTORDERXDERIVATIVE == 2, not the order used
    std::vector<Instance> run = Walk(in);
    EXPECT_EQ(CountSite(run, 72), 0);
    EXPECT_EQ(CountSite(run, 73), 3);

    in.order = 2;
    in.orderUsed = 1;
    run = Walk(in);
    EXPECT_EQ(CountSite(run, 72) + CountSite(run, 73) + CountSite(run, 74), 0);
    EXPECT_EQ(CountSite(run, 69), 3);
}

TEST(Scheme1DOrder, EveryMethodTestIsMadeAndAtMostOneBlockRuns) {
    Grid grid = MakeGrid("CFD2", {1.0}, {2});
    grid.method = "cfd2";
    GridInputs in(grid);
    const std::vector<Instance> run = Walk(in);
    EXPECT_EQ(in.methodQueries,
              (std::vector<std::string>{"BFD1", "BFD2", "FFD1", "FFD2", "CFD2", "CFD4", "UBFD4",
                                        "OCFE2", "OCFE3", "OCFE4"}));
    EXPECT_EQ(run.size(), 13u);

    grid.method = "CFD3";
    EXPECT_EQ(Sequence(Walk(in)), "1@0:0");
    in.idx = false;
    EXPECT_TRUE(Walk(in).empty());
}

// On the grid the domain lays for each method: one DDX equation per node plus a second one at
// each join, a D2DX2 equation at each interior node, an IDX equation per node, every node
// formed within 0 .. ENDNODE and every site in its block's group.
TEST(Scheme1DOrder, EachMethodDefinesEveryNodeOnceOnTheDomainGrid) {
    const char* methods[] = {"BFD1", "BFD2",  "FFD1",  "FFD2",  "CFD2",
                             "CFD4", "UBFD4", "OCFE2", "OCFE3", "OCFE4"};
    for (int m = 0; m < 10; ++m) {
        SCOPED_TRACE(methods[m]);
        const Grid grid = MakeGrid(methods[m], {0.3, 0.45, 0.25}, {2, 3, 1});
        GridInputs in(grid);
        const int end = grid.endNode();
        // Where a first derivative is joined: section starts, or element starts for collocation.
        std::vector<bool> start(end + 1);
        for (const GridSection& s : grid.sections) {
            const int starts = grid.collocation() ? s.elements : 1;
            for (int e = 0; e < starts; ++e)
                start[s.base + e * (grid.polyPoints + 1)] = true;
        }
        std::vector<int> ddx(end + 1), d2dx2(end + 1), idx(end + 1);
        for (const Instance& i : Walk(in)) {
            EXPECT_EQ(i.site->group, i.number == 1 ? 1 : m + 2) << i.site->name;
            const Token* defined = nullptr;
            for (int t = 0; t < i.site->tokenCount; ++t) {
                const Token& token = i.site->tokens[t];
                if (token.kind != Token::Kind::Variable || token.field == Field::Step) continue;
                const int node = i.anchor + token.offset;
                ASSERT_TRUE(node >= 0 && node <= end) << i.site->name << " at " << i.anchor;
                if (defined == nullptr) defined = &token;
            }
            ASSERT_NE(defined, nullptr);
            const int node = i.anchor + defined->offset;
            if (defined->field == Field::FirstDerivative) ++ddx[node];
            if (defined->field == Field::SecondDerivative) ++d2dx2[node];
            if (defined->field == Field::Integral) ++idx[node];
        }
        for (int k = 0; k <= end; ++k) {
            SCOPED_TRACE(k);
            EXPECT_EQ(ddx[k], k != 0 && start[k] ? 2 : 1);
            EXPECT_EQ(d2dx2[k], !start[k] && k != end ? 1 : 0);
            EXPECT_EQ(idx[k], 1);
        }
    }
}

} // namespace
} // namespace norvane::test
