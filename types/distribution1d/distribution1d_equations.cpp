// The structure pass and the expression pass of the one-dimensional distribution. Both walk
// the one scheme, so they declare and write the same equation instances, with the same
// variables in the same order.
#include "types/distribution1d/distribution1d.h"
#include "types/distribution1d/domain_inputs.h"
#include "types/distribution1d/grid_check.h"

namespace {

using norvane::Field;
using norvane::Stencil;
using norvane::Token;

// The distribution's element, or the section's element length, that a variable token names.
class ElementResolver {
public:
    ElementResolver(QV_DISTRIBUTION1D& d, norvane::DomainInputs& grid) : m_d(d), m_grid(grid) {}

    // The grid check has made sure that every node is one of 0 .. ENDNODE.
    QV_VarParam& operator()(const Token& token, long long anchor, int section) {
        const int node = static_cast<int>(anchor + token.offset);
        switch (token.field) {
        case Field::Value:
            return (*m_d.VALUE)(node);
        case Field::FirstDerivative:
            return m_d.DDX(node);
        case Field::SecondDerivative:
            return m_d.D2DX2(node);
        case Field::Integral:
            return m_d.IDX(node);
        case Field::Step:
            break;
        }
        return m_grid.section(section).ELEMENTLENGTH;
    }

private:
    QV_DISTRIBUTION1D& m_d;
    norvane::DomainInputs& m_grid;
};

class StructureSink final : public norvane::SchemeSink {
public:
    StructureSink(QV_DISTRIBUTION1D& d, ElementResolver& resolve, int groupBase, int& count)
        : m_d(d), m_resolve(resolve), m_groupBase(groupBase), m_count(count) {}

    void instance(const Stencil& site, long long anchor, int section) override {
        m_d.SetGroupLimits(m_groupBase + site.group);
        ++m_count;
        for (int t = 0; t < site.tokenCount; ++t)
            if (site.tokens[t].kind == Token::Kind::Variable)
                m_d.AddNonZero(m_resolve(site.tokens[t], anchor, section));
    }

private:
    QV_DISTRIBUTION1D& m_d;
    ElementResolver& m_resolve;
    int m_groupBase;
    int& m_count;
};

class ExpressionSink final : public norvane::SchemeSink {
public:
    ExpressionSink(QV_DISTRIBUTION1D& d, ElementResolver& resolve, int groupBase, int& counter,
                   int*& rows, int*& cols)
        : m_d(d), m_resolve(resolve), m_groupBase(groupBase), m_counter(counter), m_rows(rows),
          m_cols(cols) {}

    void instance(const Stencil& site, long long anchor, int section) override {
        m_d.AddEquation(site.name, m_counter, m_groupBase + site.group);
        const int equation = m_counter - 1;
        for (int t = 0; t < site.tokenCount; ++t) {
            const Token& token = site.tokens[t];
            switch (token.kind) {
            case Token::Kind::Operator:
                m_d.AddOp(static_cast<EOp>(token.op), equation);
                break;
            case Token::Kind::Integer:
                m_d.AddTerm(token.integer, equation);
                break;
            case Token::Kind::Real:
                m_d.AddTerm(token.real, equation);
                break;
            case Token::Kind::Variable:
                m_d.AddTerm(m_resolve(token, anchor, section), m_rows, m_cols, equation);
                break;
            }
        }
    }

private:
    QV_DISTRIBUTION1D& m_d;
    ElementResolver& m_resolve;
    int m_groupBase;
    int& m_counter;
    int*& m_rows;
    int*& m_cols;
};

} // namespace

int QV_DISTRIBUTION1D::SetUpEquations() {
    int n = QV_ModelTypeEx2::SetUpEquations();
    if (n < 0) return n;
    if (!XDOMAIN.ExternalLink()) return norvane::RefusedNoDomain;
    norvane::DomainInputs grid(*XDOMAIN, HIGHESTORDERXDERIVATIVE, HIGHESTORDERXDERIVATIVEUSED,
                               INTEGRALS, "idx");
    const norvane::GridRefusal refusal = norvane::CheckGrid1D(grid);
    if (refusal != norvane::GridAccepted) return refusal;
    m_groupBase = QV_ModelType::m_stLastGroup;
    m_eqnCount = 0;
    const int start = n;
    ElementResolver resolve(*this, grid);
    StructureSink sink(*this, resolve, m_groupBase, n);
    norvane::WalkScheme1D(grid, sink);
    m_eqnCount = n - start;
    return QV_ModelType::SetLocalEqnCount(n);
}

int QV_DISTRIBUTION1D::JacPattern(int*& rows, int*& cols, QV_EquationType** equations) {
    QV_ModelExtensions::ResetExpressions();
    int r = QV_ModelTypeEx2::JacPattern(rows, cols, equations);
    const int* const start = rows;
    if (XDOMAIN.ExternalLink()) {
        norvane::DomainInputs grid(*XDOMAIN, HIGHESTORDERXDERIVATIVE, HIGHESTORDERXDERIVATIVEUSED,
                                   INTEGRALS, "idx");
        if (norvane::CheckGrid1D(grid) == norvane::GridAccepted) {
            ElementResolver resolve(*this, grid);
            ExpressionSink sink(*this, resolve, m_groupBase, r, rows, cols);
            norvane::WalkScheme1D(grid, sink);
        }
    }
    m_patternCount = static_cast<int>(rows - start);
    return r;
}
