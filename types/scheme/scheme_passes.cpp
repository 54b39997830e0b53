#include "types/scheme/scheme_passes.h"

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

class ExpressionSink final : public SchemeSink {
public:
    ExpressionSink(QV_ModelTypeEx2& model, DistributionElements& elements, int groupBase,
                   int& counter, int*& rows, int*& cols)
        : m_model(model), m_expressions(model), m_elements(elements), m_groupBase(groupBase),
          m_counter(counter), m_rows(rows), m_cols(cols) {}

    void instance(const Instance& at) override {
        m_model.AddEquation(FamilyName(at.family), m_counter, m_groupBase + at.group);
        const int equation = m_counter - 1;
        const Stencil& stencil = *at.stencil;
        for (int t = 0; t < stencil.tokenCount; ++t) {
            const Token& token = stencil.tokens[t];
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
                m_expressions.AddTerm(TermOf(m_elements, at, token), m_rows, m_cols, equation);
                break;
            }
        }
    }

private:
    QV_ModelTypeEx2& m_model;
    // The model's expression interface: every token goes through its table.
    QV_ModelExtensions& m_expressions;
    DistributionElements& m_elements;
    int m_groupBase;
    int& m_counter;
    int*& m_rows;
    int*& m_cols;
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
    return counter;
}

} // namespace norvane
