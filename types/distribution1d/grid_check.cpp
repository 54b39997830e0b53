#include "types/distribution1d/grid_check.h"

#include <string>

namespace norvane {
namespace {

class NodeRangeCheck final : public SchemeSink {
public:
    explicit NodeRangeCheck(DomainInputs& grid) : m_grid(grid), m_end(grid.endNode()) {}

    void instance(const Stencil& site, int anchor, int section) override {
        if (!m_problem.empty()) return;
        long long low = 0, high = m_end;
        if (section > 0) {
            low = m_grid.base(section);
            high = low + m_grid.nodeCount(section);
        }
        for (int t = 0; t < site.tokenCount; ++t) {
            const Token& token = site.tokens[t];
            if (token.kind != Token::Kind::Variable || token.field == Field::Step) continue;
            const long long node = static_cast<long long>(anchor) + token.offset;
            if (node < low || node > high || node > m_end) {
                m_problem = std::string(site.name) + " would address node " +
                            std::to_string(node) + " outside nodes " + std::to_string(low) +
                            " .. " + std::to_string(high) + " of section " +
                            std::to_string(section);
                return;
            }
        }
    }

    const std::string& problem() const { return m_problem; }

private:
    DomainInputs& m_grid;
    int m_end;
    std::string m_problem;
};

std::string CheckSections(DomainInputs& grid) {
    const int sections = grid.sections();
    const long long stride = static_cast<long long>(grid.polyPoints()) + 1;
    long long next = 0;
    for (int s = 1; s <= sections; ++s) {
        const std::string where = "section " + std::to_string(s);
        if (grid.base(s) != next) return where + " does not start where the one before ends";
        const int count = grid.nodeCount(s);
        if (count < 1) return where + " has no node interval";
        if (stride < 1 || grid.elements(s) * stride != count)
            return where + " is not tiled by its elements of " + std::to_string(stride) +
                   " intervals";
        next += count;
    }
    if (next != grid.endNode()) return "the sections do not end at the last node";
    return {};
}

} // namespace

std::string CheckGrid1D(DomainInputs& grid) {
    static const char* const methods[] = {"BFD1", "BFD2",  "FFD1",  "FFD2",  "CFD2",
                                          "CFD4", "UBFD4", "OCFE2", "OCFE3", "OCFE4"};
    bool known = false;
    for (const char* method : methods) known = known || grid.methodIs(method);
    const bool anyBlock = grid.highestOrderUsed() > 0 || grid.integrals();
    if (known && anyBlock) {
        std::string problem = CheckSections(grid);
        if (!problem.empty()) return problem;
    }
    NodeRangeCheck check(grid);
    WalkScheme1D(grid, check);
    return check.problem();
}

} // namespace norvane
