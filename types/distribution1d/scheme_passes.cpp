#include "types/distribution1d/scheme_passes.h"

#include <cstddef>

namespace norvane {
namespace {

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

// Asks the memory system for the lines of a variable, which the host reads when a term names
// it.
void Prefetch(const QV_VarParam& variable) {
    const char* bytes = reinterpret_cast<const char*>(&variable);
    for (std::size_t offset = 0; offset < sizeof variable; offset += 64)
        __builtin_prefetch(bytes + offset);
    __builtin_prefetch(bytes + sizeof variable - 1);
}

// Writes each instance one instance late: when an instance arrives, the variables of its grid
// terms are looked up and fetched from memory, and the instance before it is written. On a
// large grid the variables of one instance lie far apart; the host then finds them at hand.
// The host calls are those of writing each instance at once, in the same order; ELEMENTLENGTH
// is looked up as its term is written.
class ExpressionSink final : public SchemeSink {
public:
    ExpressionSink(QV_ModelTypeEx2& model, DistributionElements& elements, int groupBase,
                   int& counter, int*& rows, int*& cols)
        : m_model(model), m_elements(elements), m_groupBase(groupBase), m_counter(counter),
          m_rows(rows), m_cols(cols) {}

    void instance(const Instance& at) override {
        Held& next = m_held[m_next];
        next.at = at;
        next.count = 0;
        const Stencil& stencil = *at.stencil;
        for (int t = 0; t < stencil.tokenCount && next.count < Held::kTerms; ++t) {
            const Token& token = stencil.tokens[t];
            if (token.kind != Token::Kind::Variable || token.field == Field::Step) continue;
            QV_VarParam& term = TermOf(m_elements, at, token);
            Prefetch(term);
            next.terms[next.count++] = &term;
        }
        m_next ^= 1;
        if (m_held[m_next].at.stencil) Write(m_held[m_next]);
        m_held[m_next].at.stencil = nullptr;
    }

    // Writes the instance still held.
    void Finish() {
        m_next ^= 1;
        if (m_held[m_next].at.stencil) Write(m_held[m_next]);
        m_held[m_next].at.stencil = nullptr;
    }

private:
    // An instance and the variables of its first grid terms (no stencil has more than kTerms).
    struct Held {
        static constexpr int kTerms = 8;
        Instance at{};
        QV_VarParam* terms[kTerms];
        int count = 0;
    };

    void Write(const Held& held) {
        const Instance& at = held.at;
        m_model.AddEquation(FamilyName(at.family), m_counter, m_groupBase + at.group);
        const int equation = m_counter - 1;
        const Stencil& stencil = *at.stencil;
        int term = 0;
        for (int t = 0; t < stencil.tokenCount; ++t) {
            const Token& token = stencil.tokens[t];
            switch (token.kind) {
            case Token::Kind::Operator:
                m_model.AddOp(static_cast<EOp>(token.op), equation);
                break;
            case Token::Kind::Integer:
                m_model.AddTerm(token.integer, equation);
                break;
            case Token::Kind::Real:
                m_model.AddTerm(token.real, equation);
                break;
            case Token::Kind::Variable: {
                const bool looked = token.field != Field::Step && term < held.count;
                m_model.AddTerm(looked ? *held.terms[term++] : TermOf(m_elements, at, token),
                                m_rows, m_cols, equation);
                break;
            }
            }
        }
    }

    QV_ModelTypeEx2& m_model;
    DistributionElements& m_elements;
    int m_groupBase;
    int& m_counter;
    int*& m_rows;
    int*& m_cols;
    Held m_held[2];
    int m_next = 0;
};

} // namespace

// The grid check has made sure that every node is one of 0 .. ENDNODE of its direction.
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
