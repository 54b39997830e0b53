// The whole scheme tables of the two- and three-dimensional distributions: every family once,
// numbered in table order, in its group, with the totals of declared terms that the tables
// give.
#include "types/distribution2d/programs2d.h"
#include "types/distribution3d/programs3d.h"

#include <gtest/gtest.h>

#include <set>

namespace norvane {
namespace {

struct Totals {
    int families = 0, terms = 0;
    std::set<int> groups;
};

// Walks the table's statements; families must be numbered 1, 2, ... in table order.
Totals Count(const ProgramSet& programs) {
    Totals totals;
    for (int p = 0; p < programs.size(); ++p) {
        totals.groups.insert(programs[p].text->group);
        for (int i = 0; i < programs[p].nodeCount; ++i) {
            const ProgramNode& node = programs[p].nodes[i];
            if (node.kind != ProgramNode::Kind::Emit) continue;
            EXPECT_EQ(node.family, totals.families + 1) << "out of order";
            ++totals.families;
            for (int t = 0; t < node.stencil->tokenCount; ++t)
                totals.terms += node.stencil->tokens[t].kind == Token::Kind::Variable;
        }
    }
    return totals;
}

TEST(ProgramTotals, TwoDimensionalTable) {
    ASSERT_EQ(Programs2D().fault().program, -1) << Programs2D().fault().error;
    const Totals totals = Count(Programs2D());
    EXPECT_EQ(totals.families, 207);
    EXPECT_EQ(totals.groups.size(), 23u);
    EXPECT_EQ(*totals.groups.rbegin(), 23);
    EXPECT_EQ(totals.terms, 1188);
}

TEST(ProgramTotals, ThreeDimensionalTable) {
    ASSERT_EQ(Programs3D().fault().program, -1) << Programs3D().fault().error;
    const Totals totals = Count(Programs3D());
    EXPECT_EQ(totals.families, 379);
    EXPECT_EQ(totals.groups.size(), 37u);
    EXPECT_EQ(*totals.groups.rbegin(), 37);
    EXPECT_EQ(totals.terms, 2163);
}

} // namespace
} // namespace norvane
