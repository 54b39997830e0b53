#include "host/qv_system.h"

namespace {
int g_nextSystemIndex = 0;

// A value with its derivatives with respect to the leaves of one expression.
struct Dual {
    double value;
    std::vector<double> d;
};

struct Evaluator {
    const QV_ModelType& model;
    int e;
    int next = 0;
    int leaves = 0;
    int nextLeaf = 0;
    bool ok = true;

    Dual constant(double v) const { return {v, std::vector<double>(leaves, 0.0)}; }

    Dual operand() {
        if (next >= model.TokenCount(e)) {
            ok = false;
            return constant(0.0);
        }
        return term();
    }

    Dual term() {
        const QV_ExprToken& t = model.Token(e, next++);
        switch (t.kind) {
        case QV_ExprToken::Integer:
            return constant(t.integer);
        case QV_ExprToken::Real:
            return constant(t.real);
        case QV_ExprToken::Variable: {
            // Tokens are read in order, so the variables met so far number this leaf.
            Dual v = constant(t.variable->Numeric());
            v.d[nextLeaf++] = 1.0;
            return v;
        }
        case QV_ExprToken::Operator:
            break;
        }
        switch (t.op) {
        case EOp_Identity:
            return operand();
        case EOp_Square: {
            Dual x = operand();
            for (double& d : x.d)
                d *= 2.0 * x.value;
            x.value *= x.value;
            return x;
        }
        case EOp_Plus:
        case EOp_Minus:
        case EOp_Times:
        case EOp_Divide: {
            Dual l = operand();
            Dual r = operand();
            Dual out = constant(0.0);
            for (int k = 0; k < leaves; ++k) {
                switch (t.op) {
                case EOp_Plus:
                    out.d[k] = l.d[k] + r.d[k];
                    break;
                case EOp_Minus:
                    out.d[k] = l.d[k] - r.d[k];
                    break;
                case EOp_Times:
                    out.d[k] = l.d[k] * r.value + l.value * r.d[k];
                    break;
                default:
                    out.d[k] = (l.d[k] * r.value - l.value * r.d[k]) / (r.value * r.value);
                }
            }
            switch (t.op) {
            case EOp_Plus:
                out.value = l.value + r.value;
                break;
            case EOp_Minus:
                out.value = l.value - r.value;
                break;
            case EOp_Times:
                out.value = l.value * r.value;
                break;
            default:
                out.value = l.value / r.value;
            }
            return out;
        }
        default:
            ok = false;
            return constant(0.0);
        }
    }
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
    p.rows.assign(size + 1, -1); // one spare slot: a cursor never points past the buffer
    p.cols.assign(size + 1, -1);
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
    Evaluator ev{model, e};
    for (int k = 0; k < model.TokenCount(e); ++k)
        if (model.Token(e, k).kind == QV_ExprToken::Variable) ++ev.leaves;
    Dual result = ev.operand();
    if (!ev.ok || ev.next != model.TokenCount(e)) return out;
    out.ok = true;
    out.value = result.value;
    int leaf = 0;
    for (int k = 0; k < model.TokenCount(e); ++k) {
        const QV_ExprToken& t = model.Token(e, k);
        if (t.kind == QV_ExprToken::Variable)
            out.gradient.emplace_back(t.variable, result.d[leaf++]);
    }
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
