#include "types/scheme/scheme_passes.h"

namespace norvane {
namespace {

// The element that a variable token of an instance names. The grid check has made sure that every
// node is one of 0 .. ENDNODE of its direction.
QV_VarParam& TermOf(DistributionElements& elements, const Instance& at, const Token& token) {
    const int d = static_cast<int>(at.direction);
    const unsigned char own = static_cast<unsigned char>(1u << d);
    const unsigned char span = at.target != 0 ? at.target : own;
    int node[3] = {at.node[0], at.node[1], at.node[2]};
    node[d] = static_cast<int>(at.anchor + token.offset);
    switch (token.field) {
    case Field::Value:
        return elements.integral(static_cast<unsigned char>(span & ~own), node);
    case Field::Integral:
        return elements.integral(span, node);
    case Field::FirstDerivative:
        return elements.derivative(1, at.direction, node);
    case Field::SecondDerivative:
        return elements.derivative(2, at.direction, node);
    case Field::Step:
        break;
    }
    return elements.step(at.direction, at.section);
}

// The elements of an instance's variable tokens, in token order. Every stencil comes from the
// prefix reader, which refuses a residual of more terms.
using Terms = QV_VarParam* [MaxStencilTerms];

// Looks up the terms of an instance and starts fetching into the cache the lines that hold each
// element's first 64 bytes, which writing its term reads. The lookups do not depend on one
// another, so the processor overlaps their memory reads.
void LookUpTerms(DistributionElements& elements, const Instance& at, Terms& terms) {
    const Token* const tokens = at.stencil->tokens;
    const int count = at.stencil->tokenCount;
    for (int t = 0, n = 0; t < count; ++t) {
        if (tokens[t].kind != Token::Kind::Variable) continue;
        QV_VarParam* term = &TermOf(elements, at, tokens[t]);
        __builtin_prefetch(term);
        __builtin_prefetch(reinterpret_cast<const char*>(term) + 63);
        terms[n++] = term;
    }
}

class StructureSink final : public SchemeSink {
public:
    StructureSink(QV_ModelTypeEx2& model, DistributionElements& elements, int groupBase, int& n)
        : m_model(model), m_elements(elements), m_groupBase(groupBase), m_n(n) {}

    void instance(const Instance& at) override {
        m_model.SetGroupLimits(m_groupBase + at.group);
        ++m_n;
        const Stencil& stencil = *at.stencil;
        for (int t = 0; t < stencil.tokenCount; ++t)
            if (stencil.tokens[t].kind == Token::Kind::Variable)
                m_model.AddNonZero(TermOf(m_elements, at, stencil.tokens[t]));
    }

private:
    QV_ModelTypeEx2& m_model;
    DistributionElements& m_elements;
    int m_groupBase;
    int& m_n;
};

// Writes each instance one instance late: it looks up the terms of an instance, then writes the
// instance before it, so that the elements that an expression's terms read are on their way into
// the cache for the length of a whole instance (on a large grid they come from memory). The
// instances go to the host in the order of the walk; Finish writes the last.
class ExpressionSink final : public SchemeSink {
public:
    ExpressionSink(QV_ModelTypeEx2& model, DistributionElements& elements, int groupBase,
                   int& counter, int*& rows, int*& cols)
        : m_model(model), m_expressions(model), m_elements(elements), m_groupBase(groupBase),
          m_counter(counter), m_rows(rows), m_cols(cols) {}

    void instance(const Instance& at) override {
        Pending& next = m_pending[m_next];
        next.at = at;
        LookUpTerms(m_elements, next.at, next.terms);
        Finish();
        m_waiting = &next;
        m_next ^= 1;
    }

    // Writes the instance still waiting, if any.
    void Finish() {
        if (m_waiting) Write(m_waiting->at, m_waiting->terms);
        m_waiting = nullptr;
    }

private:
    struct Pending {
        Instance at;
        Terms terms;
    };

    // Registers the instance's equation and writes its tokens.
    void Write(const Instance& at, const Terms& terms) {
        m_model.AddEquation(FamilyName(at.family), m_counter, m_groupBase + at.group);
        const int equation = m_counter - 1;
        const Stencil& stencil = *at.stencil;
        for (int t = 0, k = 0; t < stencil.tokenCount; ++t)
            Write(stencil.tokens[t], terms, k, equation);
    }

    void Write(const Token& token, const Terms& terms, int& k, int equation) {
        switch (token.kind) {
        case Token::Kind::Operator:
            m_expressions.AddOp(static_cast<EOp>(token.op), equation);
            break;
        case Token::Kind::Integer:
            m_expressions.AddTerm(token.integer, equation);
            break;
        case Token::Kind::Real:
            m_expressions.AddTerm(token.real, equation);
            break;
        case Token::Kind::Variable:
            m_expressions.AddTerm(*terms[k++], m_rows, m_cols, equation);
            break;
        }
    }

    QV_ModelTypeEx2& m_model;
    // The model's expression interface: every token goes through its table.
    QV_ModelExtensions& m_expressions;
    DistributionElements& m_elements;
    int m_groupBase;
    int& m_counter;
    int*& m_rows;
    int*& m_cols;
    Pending m_pending[2];
    int m_next = 0;               // the slot that the next instance takes
    Pending* m_waiting = nullptr; // the instance looked up and not yet written
};

} // namespace

int DeclareEquations(QV_ModelTypeEx2& model, int n, const ProgramSet& programs, SchemeInputs& in,
                     DistributionElements& elements, int& groupBase, int& eqnCount) {
    const GridRefusal refusal = CheckGrid(programs, in);
    if (refusal != GridAccepted) return refusal;
    groupBase = QV_ModelType::m_stLastGroup;
    eqnCount = 0;
    const int start = n;
    StructureSink sink(model, elements, groupBase, n);
    WalkScheme(programs, in, sink);
    eqnCount = n - start;
    return model.SetLocalEqnCount(n);
}

int WriteExpressions(QV_ModelTypeEx2& model, int counter, int*& rows, int*& cols,
                     const ProgramSet& programs, SchemeInputs& in, DistributionElements& elements,
                     int groupBase) {
    if (CheckGrid(programs, in) != GridAccepted) return counter;
    ExpressionSink sink(model, elements, groupBase, counter, rows, cols);
    WalkScheme(programs, in, sink);
    sink.Finish();
    return counter;
}

} // namespace norvane
