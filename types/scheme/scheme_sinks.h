// The sinks of the two passes: what each does with an instance of the walk. They are templates
// over the distribution's `Elements` (scheme_passes.h says what it provides), compiled once per
// distribution type, so that looking up a term is a few inline steps to the array that holds it.
#pragma once

#include "framework/generated_type.h"
#include "types/scheme/scheme_walk.h"
#include "types/scheme/stencil.h"

namespace norvane {

// The elements that the variable tokens of one instance name. What the tokens share (the
// nodes of the other directions, the spans) is worked out once per instance. The grid check has
// made sure that every node is one of 0 .. ENDNODE of its direction.
template <class Elements> class InstanceTerms {
public:
    InstanceTerms(Elements& elements, const Instance& at)
        : m_elements(elements), m_at(at),
          m_d(static_cast<int>(at.direction)), m_node{at.node[0], at.node[1], at.node[2]} {
        const unsigned char own = static_cast<unsigned char>(1u << m_d);
        m_integral = at.target != 0 ? at.target : own;
        m_value = static_cast<unsigned char>(m_integral & ~own);
    }

    // The element of term k of the instance's stencil.
    [[gnu::always_inline]] QV_VarParam& operator[](int k) {
        const Stencil& stencil = *m_at.stencil;
        const Token& token = stencil.tokens[stencil.terms[k]];
        m_node[m_d] = static_cast<int>(m_at.anchor + token.offset);
        switch (token.field) {
        case Field::Value:
            return m_elements.integral(m_value, m_node);
        case Field::Integral:
            return m_elements.integral(m_integral, m_node);
        case Field::FirstDerivative:
            return m_elements.derivative(1, m_at.direction, m_node);
        case Field::SecondDerivative:
            return m_elements.derivative(2, m_at.direction, m_node);
        case Field::Step:
            break;
        }
        return m_elements.step(m_at.direction, m_at.section);
    }

private:
    Elements& m_elements;
    const Instance& m_at;
    int m_d;
    int m_node[3];
    unsigned char m_integral; // the span of IDX: the family's target, or the own direction
    unsigned char m_value;    // the span of V: the integral that IDX integrates, or VALUE (0)
};

template <class Elements> class StructureSink final : public SchemeSink {
public:
    StructureSink(QV_ModelTypeEx2& model, Elements& elements, int groupBase, int& n)
        : m_model(model), m_elements(elements), m_groupBase(groupBase), m_n(n) {}

    void instance(const Instance& at) override {
        m_model.SetGroupLimits(m_groupBase + at.group);
        ++m_n;
        InstanceTerms<Elements> terms(m_elements, at);
        for (int k = 0; k < at.stencil->termCount; ++k)
            m_model.AddNonZero(terms[k]);
    }

private:
    QV_ModelTypeEx2& m_model;
    Elements& m_elements;
    int m_groupBase;
    int& m_n;
};

// Writes each instance one instance late: it looks up the terms of an instance, then writes the
// instance before it, so that the elements that an expression's terms read are on their way into
// the cache for the length of a whole instance (on a large grid they come from memory). The
// instances go to the host in the order of the walk; Finish writes the last.
template <class Elements> class ExpressionSink final : public SchemeSink {
public:
    ExpressionSink(QV_ModelTypeEx2& model, Elements& elements, int groupBase, int& counter,
                   int*& rows, int*& cols)
        : m_model(model), m_expressions(model), m_elements(elements), m_groupBase(groupBase),
          m_counter(counter), m_rows(rows), m_cols(cols) {}

    void instance(const Instance& at) override {
        Pending& next = m_pending[m_next];
        next.at = at;
        LookUpTerms(next);
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
    // The elements of an instance's variable tokens, in token order.
    using Terms = QV_VarParam* [MaxStencilTerms];
    struct Pending {
        Instance at;
        Terms terms;
    };

    // Looks up the terms of an instance and starts fetching into the cache the lines that hold
    // each element's first 64 bytes, which writing its term reads. The lookups do not depend on
    // one another, so the processor overlaps their memory reads.
    void LookUpTerms(Pending& pending) {
        InstanceTerms<Elements> terms(m_elements, pending.at);
        for (int k = 0; k < pending.at.stencil->termCount; ++k) {
            QV_VarParam* term = &terms[k];
            __builtin_prefetch(term);
            __builtin_prefetch(reinterpret_cast<const char*>(term) + 63);
            pending.terms[k] = term;
        }
    }

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
    Elements& m_elements;
    int m_groupBase;
    int& m_counter;
    int*& m_rows;
    int*& m_cols;
    Pending m_pending[2];
    int m_next = 0;               // the slot that the next instance takes
    Pending* m_waiting = nullptr; // the instance looked up and not yet written
};

} // namespace norvane
