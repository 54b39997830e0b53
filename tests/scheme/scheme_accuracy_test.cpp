// The residual of every family of the one-, two- and three-dimensional schemes when VALUE, its
// derivatives and its integrals are those of a smooth manufactured solution, walked over
// host-free grids: a wrong constant, sign, node or term in a stencil leaves a residual that
// does not shrink at the order of its formula. The blocks of a method along one direction are
// judged on a grid refined along it; the other directions are small grids without a method.
#include "tests/scheme/stencil_orders.h"
#include "tests/scheme/stencil_residual.h"
#include "types/distribution1d/programs1d.h"
#include "types/distribution2d/programs2d.h"
#include "types/distribution3d/programs3d.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <vector>

namespace norvane::test {
namespace {

struct Method {
    const char* name;
    int polyPoints;
    bool refined; // OCFE3's and OCFE4's five-place constants end their convergence near 1e-5 h
};

const Method kMethods[] = {{"BFD1", 0, true},  {"BFD2", 1, true},  {"FFD1", 0, true},
                           {"FFD2", 1, true},  {"CFD2", 1, true},  {"CFD4", 3, true},
                           {"UBFD4", 3, true}, {"OCFE2", 1, true}, {"OCFE3", 2, false},
                           {"OCFE4", 3, false}};

const ProgramSet& ProgramsOf(int dimensions) {
    return dimensions == 1 ? Programs1D() : dimensions == 2 ? Programs2D() : Programs3D();
}

// The order each family's residual must reach: that of the one-dimensional site it applies, or,
// for a stencil of its own, the lowest order of its block's sites.
std::map<int, int> ExpectedOrders(const ProgramSet& programs) {
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
            if (site == 0) {
                own.push_back(node.family);
                continue;
            }
            orders[node.family] = SiteOrder(site);
            lowest = std::min(lowest, SiteOrder(site));
        }
        for (int family : own)
            orders[family] = lowest;
    }
    return orders;
}

// Per family: its largest |residual|, and the largest multiple of what the rounding of its
// constants explains.
struct Worst {
    double absolute = 0.0, unexplained = 0.0;
};

// The residuals of the method's block along d on sections of the given lengths and elements,
// VALUE being `along` along d times a quadratic along each other direction; the start groups
// (op1 IDX(0)) are the host's to evaluate.
std::map<int, Worst> Residuals(int dimensions, int d, const Method& m,
                               const std::vector<double>& lengths, const std::vector<int>& elements,
                               const Factor& along) {
    FakeScheme scheme;
    Term term;
    for (int c = 0; c < dimensions; ++c) {
        scheme.directions.push_back(c == d ? MakeDirection(m.name, m.polyPoints, lengths, elements)
                                           : MakeDirection("NONE", 0, {0.5, 0.5}, {1, 1}));
        term.push_back(c == d ? along : Polynomial({0.4, 0.3, -0.5}));
    }
    scheme.integrals = {Idx, Idy, Idz, Idxdy, Idxdz, Idydz, Idxdydz};
    const Manufactured exact = OnGrids({term}, scheme);
    std::map<int, Worst> worst;
    for (const Instance& at : scheme.Walk(ProgramsOf(dimensions))) {
        if (at.section == 0) continue;
        const Residual r = ResidualOf(exact, scheme, at);
        Worst& w = worst[at.family];
        w.absolute = std::max(w.absolute, std::fabs(r.value));
        w.unexplained = std::max(w.unexplained, std::fabs(r.value) / (r.rounding + 1e-12));
    }
    return worst;
}

// A residual shrinks at the order of its formula as the grid is refined. The collocation
// weights are those of the polynomial through the element's nodes, rounded to five places: on
// long elements, a polynomial of that degree leaves no more residual than that rounding explains.
TEST(SchemeAccuracy, EveryFamilyConvergesAtItsOrderOrIsExact) {
    const std::size_t startFamilies[] = {1, 4, 12};
    const std::vector<double> quartic = {0.7, -1.2, 2.1, -1.6, 0.9};
    for (int dimensions = 1; dimensions <= 3; ++dimensions) {
        const std::map<int, int> expected = ExpectedOrders(ProgramsOf(dimensions));
        std::set<int> judged;
        for (const Method& m : kMethods) {
            for (int d = 0; d < dimensions; ++d) {
                if (m.refined) {
                    const Factor smooth = Smooth(2.3);
                    const auto coarse =
                        Residuals(dimensions, d, m, {0.3, 0.45, 0.25}, {8, 12, 4}, smooth);
                    const auto fine =
                        Residuals(dimensions, d, m, {0.3, 0.45, 0.25}, {16, 24, 8}, smooth);
                    for (const auto& [family, worst] : coarse) {
                        judged.insert(family);
                        EXPECT_GE(std::log2(worst.absolute / fine.at(family).absolute),
                                  expected.at(family) - 0.3)
                            << dimensions << "D QV_Eqn" << family;
                    }
                }
                if (m.name[0] != 'O') continue;
                const Factor polynomial =
                    Polynomial({quartic.begin(), quartic.begin() + m.polyPoints + 2});
                for (const auto& [family, worst] :
                     Residuals(dimensions, d, m, {1.2, 1.8, 1.0}, {2, 3, 1}, polynomial)) {
                    judged.insert(family);
                    EXPECT_LE(worst.unexplained, 1.0) << dimensions << "D QV_Eqn" << family;
                }
            }
        }
        EXPECT_EQ(judged.size() + startFamilies[dimensions - 1], expected.size())
            << dimensions << "D: a family was not judged";
    }
}

} // namespace
} // namespace norvane::test
