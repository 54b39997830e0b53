#include "types/scheme/grid_check.h"

namespace norvane {
namespace {

using Kind = ProgramNode::Kind;

// The own-direction nodes of every instance against the section it belongs to and the grid.
class NodeRangeCheck final : public SchemeSink {
public:
    explicit NodeRangeCheck(SchemeInputs& in) : m_in(in) {}

    void instance(const Instance& at) override {
        if (m_outside) return;
        DirectionInputs& own = m_in.direction(at.direction);
        const long long end = own.endNode();
        long long low = 0, high = end;
        if (at.section > 0) {
            low = own.base(at.section);
            high = low + own.nodeCount(at.section);
        }
        const Stencil& stencil = *at.stencil;
        if (stencil.lowest > stencil.highest) return; // addresses no node
        if (at.anchor + stencil.lowest < low || at.anchor + stencil.highest > high ||
            at.anchor + stencil.highest > end)
            m_outside = true;
    }

    bool outside() const { return m_outside; }

private:
    SchemeInputs& m_in;
    bool m_outside = false;
};

// What a program will do on this grid: which loops run under tests that hold now.
struct ProgramUse {
    bool sections = false;                  // a section loop runs
    bool elements = false;                  // an element loop runs
    bool closed[3] = {false, false, false}; // a loop over a direction's closed interior runs
};

void ScanUse(const Program& program, int begin, int end, SchemeInputs& in, ProgramUse& use) {
    for (int i = begin; i < end; i = program.nodes[i].end) {
        const ProgramNode& node = program.nodes[i];
        if (!TestHolds(node, in, program.text->direction)) continue;
        if (node.kind == Kind::Sections) use.sections = true;
        if (node.kind == Kind::Elements) use.elements = true;
        if (node.kind == Kind::Cross && node.set == ProgramNode::CrossSet::Closed)
            use.closed[static_cast<int>(node.cross)] = true;
        ScanUse(program, i + 1, node.end, in, use);
    }
}

// The sections lie end to end from node 0 to ENDNODE: each begins where the one before ends,
// and none ends before it begins, which would let the next one walk nodes of those before it
// again. A section of node count 0 is its node BASE alone: the node check refuses an equation
// that needs more of it. Where an element loop runs, the elements of NUMPOLYPOINTS + 1 nodes
// tile each section, and only elements at least one node wide count, so that the loop never
// walks more elements than the section has nodes.
GridRefusal CheckSections(DirectionInputs& grid, bool tiled) {
    const long long stride = static_cast<long long>(grid.polyPoints()) + 1;
    long long next = 0;
    for (int s = 1; s <= grid.sections(); ++s) {
        const int count = grid.nodeCount(s);
        if (grid.base(s) != next || count < 0) return RefusedSectionOrder;
        const long long elements = grid.elements(s);
        if (tiled && (elements * stride != count || (elements > 0 && stride < 1)))
            return RefusedUntiled;
        next += count;
    }
    return next == grid.endNode() ? GridAccepted : RefusedSectionOrder;
}

// Every member of the closed interior is a node of 0 .. ENDNODE; the walk stops at the first
// that is not.
class WithinGrid final : public NodeLoop {
public:
    explicit WithinGrid(int end) : m_end(end) {}
    bool node(int n) override { return m_within = n >= 0 && n <= m_end; }
    bool within() const { return m_within; }

private:
    int m_end;
    bool m_within = true;
};

bool ClosedWithinGrid(DirectionInputs& grid) {
    WithinGrid check(grid.endNode());
    grid.closedNodes(check);
    return check.within();
}

} // namespace

GridRefusal CheckGrid(const ProgramSet& programs, SchemeInputs& in) {
    for (int d = 0; d < in.dimensions(); ++d)
        if (in.direction(static_cast<Direction>(d)).endNode() < 0) return RefusedSectionOrder;
    bool closed[3] = {false, false, false};
    for (int p = 0; p < programs.size(); ++p) {
        const Program& program = programs[p];
        DirectionInputs& own = in.direction(program.text->direction);
        if (program.text->method != nullptr && !own.methodIs(program.text->method)) continue;
        ProgramUse use;
        ScanUse(program, 0, program.nodeCount, in, use);
        if (use.sections) {
            const GridRefusal refusal = CheckSections(own, use.elements);
            if (refusal != GridAccepted) return refusal;
        }
        for (int d = 0; d < 3; ++d)
            closed[d] = closed[d] || use.closed[d];
    }
    for (int d = 0; d < in.dimensions(); ++d)
        if (closed[d] && !ClosedWithinGrid(in.direction(static_cast<Direction>(d))))
            return RefusedOutsideSection;
    NodeRangeCheck check(in);
    WalkScheme(programs, in, check, CrossLoops::FirstOnly);
    return check.outside() ? RefusedOutsideSection : GridAccepted;
}

} // namespace norvane
