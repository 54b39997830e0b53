// Checks of a distribution's equations as the host holds them, shared by the tests of the
// two- and three-dimensional roads: the two passes agree term by term and every family stands
// in its group; each family's largest residual; the order each family's residual must reach.
#pragma once

#include <gtest/gtest.h>

#include "host/qv_system.h"
#include "tests/scheme/stencil_orders.h"
#include "types/distribution1d/block_program.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace norvane::test {

inline const char* const kMethods[] = {"BFD1", "BFD2",  "FFD1",  "FFD2",  "CFD2",
                                       "CFD4", "UBFD4", "OCFE2", "OCFE3", "OCFE4"};

// 1 for BFD1 .. 10 for OCFE4.
inline int MethodNumber(const std::string& method) {
    return static_cast<int>(std::find(std::begin(kMethods), std::end(kMethods), method) -
                            std::begin(kMethods)) +
           1;
}

// k of the name "QV_Eqnk".
inline int FamilyOf(const char* name) {
    return std::stoi(std::string(name).substr(6));
}

// The group offset of a family, from the first family of each group in turn.
inline int GroupOf(int family, const std::vector<int>& firstFamilies) {
    int g = 0;
    while (g + 1 < static_cast<int>(firstFamilies.size()) && family >= firstFamilies[g + 1])
        ++g;
    return g + 1;
}

// Structure and expressions agree term by term, and every equation stands in the group of its
// family; returns the number of equations.
inline int ExpectTwinPasses(const QV_ModelType& d, int groupBase, int patternCount,
                            const std::vector<int>& firstFamilies) {
    EXPECT_EQ(d.EquationCount(), d.StructureCount());
    int leaves = 0;
    for (int e = 0; e < std::min(d.EquationCount(), d.StructureCount()); ++e) {
        const int family = FamilyOf(d.EquationName(e));
        EXPECT_EQ(d.EquationGroup(e), d.StructureGroup(e));
        EXPECT_EQ(d.EquationGroup(e), groupBase + GroupOf(family, firstFamilies))
            << d.EquationName(e);
        int t = 0;
        for (int k = 0; k < d.TokenCount(e); ++k) {
            if (d.Token(e, k).kind != QV_ExprToken::Variable) continue;
            if (t < d.NonZeroCount(e)) {
                EXPECT_EQ(d.Token(e, k).variable, d.NonZero(e, t)) << d.EquationName(e);
            }
            ++t;
        }
        EXPECT_EQ(t, d.NonZeroCount(e)) << d.EquationName(e);
        leaves += t;
    }
    EXPECT_EQ(patternCount, leaves);
    EXPECT_EQ(d.StrayTokens(), 0);
    return d.EquationCount();
}

// Largest |residual| of each family at the variables' current values.
inline std::map<int, double> WorstResiduals(const QV_ModelType& d) {
    std::map<int, double> worst;
    for (int e = 0; e < d.EquationCount(); ++e) {
        const qvhost::Evaluation r = qvhost::Evaluate(d, e);
        EXPECT_TRUE(r.ok) << d.EquationName(e);
        double& w = worst[FamilyOf(d.EquationName(e))];
        w = std::max(w, std::fabs(r.value));
    }
    return worst;
}

// The order each family's residual must reach: that of the one-dimensional site it applies,
// or, for a stencil of its own, the lowest order of its block's sites.
inline std::map<int, int> ExpectedOrders(const ProgramSet& programs) {
    std::map<int, int> orders;
    for (int p = 0; p < programs.size(); ++p) {
        int lowest = 9;
        std::vector<int> own;
        for (int i = 0; i < programs[p].nodeCount; ++i) {
            const ProgramNode& node = programs[p].nodes[i];
            if (node.kind != ProgramNode::Kind::Emit) continue;
            int site = 0;
            for (int k = 1; k <= StencilCount() && site == 0; ++k)
                if (node.stencil == &StencilByNumber(k)) site = k;
            if (site != 0) {
                orders[node.family] = SiteOrder(site);
                lowest = std::min(lowest, SiteOrder(site));
            } else {
                own.push_back(node.family);
            }
        }
        for (int family : own)
            orders[family] = lowest;
    }
    return orders;
}

// The observed order of every family of one group between a coarse and a refined grid.
inline void ExpectOrders(const std::map<int, double> (&residuals)[2],
                         const std::map<int, int>& expected, int group,
                         const std::vector<int>& firstFamilies, double slack) {
    for (const auto& [family, worst] : residuals[0]) {
        if (worst < 1e-13 || GroupOf(family, firstFamilies) != group) continue;
        const double order = std::log2(worst / residuals[1].at(family));
        EXPECT_GE(order, expected.at(family) - slack)
            << "QV_Eqn" << family << ": " << worst << " -> " << residuals[1].at(family);
    }
}

} // namespace norvane::test
