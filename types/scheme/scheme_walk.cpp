#include "types/scheme/scheme_walk.h"

namespace norvane {
namespace {

using Kind = ProgramNode::Kind;

// A loop body of the walk over a set that the inputs build.
template <class Body> class LoopBody final : public NodeLoop {
public:
    explicit LoopBody(Body body) : m_body(body) {}
    bool node(int n) override { return m_body(n); }

private:
    Body m_body;
};

// The state of the walk inside one program: the loop variables that enclose a statement.
struct Frame {
    const ProgramNode* nodes;
    const BlockProgramText& text;
    DirectionInputs& own;
    int section = 0;
    long long anchor = 0;
    int node[3] = {0, 0, 0};
};

class Walker {
public:
    Walker(SchemeInputs& in, SchemeSink& out, CrossLoops cross)
        : m_in(in), m_out(out), m_cross(cross) {}

    void Run(const Program& program) {
        const Direction d = program.text->direction;
        if (static_cast<int>(d) >= m_in.dimensions()) return;
        DirectionInputs& own = m_in.direction(d);
        if (program.text->method != nullptr && !own.methodIs(program.text->method)) return;
        Frame frame{program.nodes, *program.text, own};
        Statements(frame, 0, program.nodeCount);
    }

private:
    void Statements(Frame& f, int begin, int end) {
        for (int i = begin; i < end; i = f.nodes[i].end)
            Statement(f, i);
    }

    void Children(Frame& f, int i) { Statements(f, i + 1, f.nodes[i].end); }

    // Node numbers are formed in 64 bits: a grid near the 32-bit limit must not overflow here.
    long long NodeAt(Frame& f, ProgramNode::Position position) {
        switch (position.origin) {
        case ProgramNode::Origin::Base:
            return static_cast<long long>(f.own.base(f.section)) + position.offset;
        case ProgramNode::Origin::Last:
            return static_cast<long long>(f.own.base(f.section)) + f.own.nodeCount(f.section) +
                   position.offset;
        case ProgramNode::Origin::Zero:
            break;
        }
        return 0;
    }

    void Sections(Frame& f, int i) {
        const int count = f.own.sections();
        for (int s = 1; s <= count; ++s) {
            f.section = s;
            Children(f, i);
        }
        f.section = 0;
    }

    // Each element's first node is the member of a one-element set. The grid check has found
    // the section tiled by its elements before any element loop runs, so the node is one of the
    // grid's.
    void Elements(Frame& f, int i) {
        const int count = f.own.elements(f.section);
        LoopBody at([&](int first) {
            f.anchor = first;
            Children(f, i);
            return true;
        });
        for (int e = 1; e <= count; ++e) {
            const long long first =
                f.own.base(f.section) + (e - 1) * (static_cast<long long>(f.own.polyPoints()) + 1);
            f.own.elementStart(static_cast<int>(first), at);
        }
    }

    void Nodes(Frame& f, int i) {
        const long long from = NodeAt(f, f.nodes[i].from);
        const long long to = NodeAt(f, f.nodes[i].to);
        for (long long n = from; n <= to; ++n) {
            f.anchor = n;
            Children(f, i);
        }
    }

    void Cross(Frame& f, int i) {
        const ProgramNode& node = f.nodes[i];
        const int c = static_cast<int>(node.cross);
        DirectionInputs& other = m_in.direction(node.cross);
        const bool firstOnly = m_cross == CrossLoops::FirstOnly;
        if (node.set == ProgramNode::CrossSet::Closed) {
            LoopBody at([&](int v) {
                f.node[c] = v;
                Children(f, i);
                return !firstOnly;
            });
            other.closedNodes(at);
        } else {
            const int end = other.endNode();
            const int first = node.set == ProgramNode::CrossSet::FromOne ? 1 : 0;
            for (long long v = first; v <= end && !(firstOnly && v > first); ++v) {
                f.node[c] = static_cast<int>(v);
                Children(f, i);
            }
        }
        f.node[c] = 0;
    }

    void Emit(Frame& f, const ProgramNode& node) {
        Instance instance{
            node.family, f.text.group, node.stencil, f.text.direction,
            node.target, f.section,    f.anchor,     {f.node[0], f.node[1], f.node[2]}};
        m_out.instance(instance);
    }

    void Statement(Frame& f, int i) {
        const ProgramNode& node = f.nodes[i];
        switch (node.kind) {
        case Kind::First:
        case Kind::Second:
        case Kind::Integral:
            if (TestHolds(node, m_in, f.text.direction)) Children(f, i);
            break;
        case Kind::Sections:
            Sections(f, i);
            break;
        case Kind::Elements:
            Elements(f, i);
            break;
        case Kind::Nodes:
            Nodes(f, i);
            break;
        case Kind::At:
            f.anchor = NodeAt(f, node.from);
            Children(f, i);
            break;
        case Kind::Cross:
            Cross(f, i);
            break;
        case Kind::IfFirstSection:
            if (f.section == 1) Children(f, i);
            break;
        case Kind::IfLaterSection:
            if (f.section > 1) Children(f, i);
            break;
        case Kind::IfJoin:
            if (f.anchor != 0 && f.own.highestOrder() == 2) Children(f, i);
            break;
        case Kind::Emit:
            Emit(f, node);
            break;
        }
    }

    SchemeInputs& m_in;
    SchemeSink& m_out;
    CrossLoops m_cross;
};

} // namespace

bool TestHolds(const ProgramNode& node, SchemeInputs& in, Direction d) {
    switch (node.kind) {
    case Kind::First:
        return in.direction(d).highestOrderUsed() > 0;
    case Kind::Second:
        return in.direction(d).highestOrderUsed() > 1;
    case Kind::Integral:
        for (int k = 0; k < node.nameCount; ++k)
            if (in.integralRequested(node.names[k])) return true;
        return false;
    default:
        return true;
    }
}

void WalkScheme(const ProgramSet& programs, SchemeInputs& in, SchemeSink& out, CrossLoops cross) {
    Walker walker(in, out, cross);
    for (int p = 0; p < programs.size(); ++p)
        walker.Run(programs[p]);
}

} // namespace norvane
