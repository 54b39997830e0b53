#include "host/qv_system.h"

namespace {
int g_nextSystemIndex = 0;

// One prefix expression, evaluated with the derivatives of its value with respect to each
// variable leaf. The tokens are read from the store once; each value made keeps its
// derivatives in one row of a table that grows as values are made.
class Evaluator {
public:
    Evaluator(const QV_ModelType& model, int e) {
        const int count = model.TokenCount(e);
        m_tokens.reserve(static_cast<std::size_t>(count));
        for (int k = 0; k < count; ++k) {
            m_tokens.push_back(model.Token(e, k));
            if (m_tokens.back().kind == QV_ExprToken::Variable) ++m_leaves;
        }
        m_derivatives.reserve((m_tokens.size() + 1) * m_leaves);
    }

    // False when the expression is malformed: an unknown operator, too few or too many
    // operands.
    bool Run(double& value, std::vector<std::pair<QV_VarParam*, double>>& gradient) {
        const Value result = operand();
        if (!m_ok || m_next != m_tokens.size()) return false;
        value = result.value;
        const double* d = row(result);
        std::size_t leaf = 0;
        for (const QV_ExprToken& t : m_tokens)
            if (t.kind == QV_ExprToken::Variable) gradient.emplace_back(t.variable, d[leaf++]);
        return true;
    }

private:
    struct Value {
        double value;
        std::size_t row;
    };

    Value constant(double v) {
        const Value x{v, m_rows++};
        m_derivatives.resize(m_rows * m_leaves, 0.0);
        return x;
    }
    double* row(const Value& x) { return m_derivatives.data() + x.row * m_leaves; }

    Value operand() {
        if (m_next >= m_tokens.size()) {
            m_ok = false;
            return constant(0.0);
        }
        return term();
    }

    Value term() {
        const QV_ExprToken& t = m_tokens[m_next++];
        switch (t.kind) {
        case QV_ExprToken::Integer:
            return constant(t.integer);
        case QV_ExprToken::Real:
            return constant(t.real);
        case QV_ExprToken::Variable: {
            // Tokens are read in order, so the variables met so far number this leaf.
            const Value v = constant(t.variable->Numeric());
            row(v)[m_nextLeaf++] = 1.0;
            return v;
        }
        case QV_ExprToken::Operator:
            break;
        }
        switch (t.op) {
        case EOp_Identity:
            return operand();
        case EOp_Square: {
            Value x = operand();
            double* d = row(x);
            for (std::size_t k = 0; k < m_leaves; ++k)
                d[k] *= 2.0 * x.value;
            x.value *= x.value;
            return x;
        }
        case EOp_Plus:
        case EOp_Minus:
        case EOp_Times:
        case EOp_Divide:
            return binary(t.op);
        default:
            m_ok = false;
            return constant(0.0);
        }
    }

    Value binary(int op) {
        const Value l = operand();
        const Value r = operand();
        double value;
        switch (op) {
        case EOp_Plus:
            value = l.value + r.value;
            break;
        case EOp_Minus:
            value = l.value - r.value;
            break;
        case EOp_Times:
            value = l.value * r.value;
            break;
        default:
            value = l.value / r.value;
        }
        const Value out = constant(value);
        const double* dl = row(l);
        const double* dr = row(r);
        double* d = row(out);
        for (std::size_t k = 0; k < m_leaves; ++k) {
            switch (op) {
            case EOp_Plus:
                d[k] = dl[k] + dr[k];
                break;
            case EOp_Minus:
                d[k] = dl[k] - dr[k];
                break;
            case EOp_Times:
                d[k] = dl[k] * r.value + l.value * dr[k];
                break;
            default:
                d[k] = (dl[k] * r.value - l.value * dr[k]) / (r.value * r.value);
            }
        }
        return out;
    }

    std::vector<QV_ExprToken> m_tokens;
    std::size_t m_leaves = 0;
    std::size_t m_next = 0;
    std::size_t m_nextLeaf = 0;
    std::size_t m_rows = 0;
    std::vector<double> m_derivatives;
    bool m_ok = true;
};

} // namespace

namespace qvhost {

int NextSystemIndex() {
    return g_nextSystemIndex++;
}

void ResetSystem() {
    g_nextSystemIndex = 0;
    QV_ModelType::m_stLastGroup = 0;
}

Pattern RunJacPattern(QV_ModelType& model) {
    Pattern p;
    RunJacPattern(model, p);
    return p;
}

void RunJacPattern(QV_ModelType& model, Pattern& p) {
    std::size_t size = 0;
    for (int k = 0; k < model.StructureCount(); ++k)
        size += static_cast<std::size_t>(model.NonZeroCount(k));
    // One spare slot: a cursor never points past the buffer. What a pass does not write is
    // cut off after it, so the slots need no value before it.
    p.rows.resize(size + 1);
    p.cols.resize(size + 1);
    int* rows = p.rows.data();
    int* cols = p.cols.data();
    model.SetPatternBuffer(p.rows.data(), p.rows.data() + size);
    p.counter = model.JacPattern(rows, cols, nullptr);
    model.SetPatternBuffer(nullptr, nullptr);
    const std::size_t written = static_cast<std::size_t>(rows - p.rows.data());
    p.rows.resize(written);
    p.cols.resize(written);
}

Evaluation Evaluate(const QV_ModelType& model, int e) {
    Evaluation out;
    if (e < 0 || e >= model.EquationCount() || model.TokenCount(e) == 0) return out;
    Evaluator evaluator(model, e);
    out.ok = evaluator.Run(out.value, out.gradient);
    return out;
}

std::string PathOf(const QV_Containable& property) {
    if (const QV_Containable* holder = property.FiledIn()) return PathOf(*holder);
    if (const QV_Containable* array = property.Parent())
        return PathOf(*array) + "(" + property.IndexText() + ")";
    std::string name = property.Name();
    const QV_Container* owner = property.Owner();
    if (owner && (owner->Parent() || owner->Owner() || owner->FiledIn()))
        return PathOf(*owner) + "." + name;
    return name;
}

} // namespace qvhost
