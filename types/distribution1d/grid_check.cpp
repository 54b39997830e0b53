#include "types/distribution1d/grid_check.h"

#include "types/distribution1d/method_blocks.h"

namespace norvane {
namespace {

class NodeRangeCheck final : public SchemeSink {
public:
    explicit NodeRangeCheck(DomainInputs& grid) : m_grid(grid), m_end(grid.endNode()) {}

    void instance(const Stencil& site, long long anchor, int section) override {
        if (m_outside) return;
        long long low = 0, high = m_end;
        if (section > 0) {
            low = m_grid.base(section);
            high = low + m_grid.nodeCount(section);
        }
        for (int t = 0; t < site.tokenCount; ++t) {
            const Token& token = site.tokens[t];
            if (token.kind != Token::Kind::Variable || token.field == Field::Step) continue;
            const long long node = anchor + token.offset;
            if (node < low || node > high || node > m_end) m_outside = true;
        }
    }

    bool outside() const { return m_outside; }

private:
    DomainInputs& m_grid;
    int m_end;
    bool m_outside = false;
};

// The block of the domain's method, or null for a name that selects none.
const MethodBlock* BlockOf(DomainInputs& grid) {
    for (int m = 0; m < MethodBlockCount(); ++m)
        if (grid.methodIs(MethodBlocks()[m].method)) return &MethodBlocks()[m];
    return nullptr;
}

bool RunsElementLoop(DomainInputs& grid, const MethodBlock& block) {
    for (int k = 0; k < block.stepCount; ++k) {
        const PlacementStep& step = block.steps[k];
        const bool elements =
            step.placement == Placement::Elements || step.placement == Placement::JoinedElements;
        if (elements && SubBlockRuns(grid, step.subBlock)) return true;
    }
    return false;
}

GridRefusal CheckSections(DomainInputs& grid, bool tiled) {
    const long long stride = static_cast<long long>(grid.polyPoints()) + 1;
    long long next = 0;
    for (int s = 1; s <= grid.sections(); ++s) {
        if (grid.base(s) != next) return RefusedSectionOrder;
        const int count = grid.nodeCount(s);
        if (count < 1) return RefusedOutsideSection;
        if (tiled && grid.elements(s) * stride != count) return RefusedUntiled;
        next += count;
    }
    return next == grid.endNode() ? GridAccepted : RefusedSectionOrder;
}

} // namespace

GridRefusal CheckGrid1D(DomainInputs& grid) {
    if (const MethodBlock* block = BlockOf(grid)) {
        const bool anyBlock = grid.highestOrderUsed() > 0 || grid.integrals();
        if (anyBlock) {
            const GridRefusal refusal = CheckSections(grid, RunsElementLoop(grid, *block));
            if (refusal != GridAccepted) return refusal;
        }
    }
    NodeRangeCheck check(grid);
    WalkScheme1D(grid, check);
    return check.outside() ? RefusedOutsideSection : GridAccepted;
}

} // namespace norvane
