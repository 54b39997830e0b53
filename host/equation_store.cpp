#include "host/equation_store.h"

#include <stdexcept>

namespace qvhost {

void VariableRun::Repeat(std::uint32_t first, std::uint32_t count) {
    for (std::uint32_t k = 0; k < count; ++k) {
        if (m_ids.size() == UINT32_MAX) ThrowStoreFull();
        m_ids.push_back(m_ids[first + k]);
    }
}

void ThrowStoreFull() {
    throw std::length_error("more than 2^32 - 1 variable references in one store");
}

void StructureStore::Clear() {
    m_entries.clear();
    m_variables.clear();
}

int StructureStore::Group(int k) const {
    return Has(k) ? m_entries[static_cast<std::size_t>(k)].group : 0;
}

int StructureStore::NonZeroCount(int k) const {
    if (!Has(k)) return 0;
    const std::uint32_t end = k + 1 < Count() ? m_entries[static_cast<std::size_t>(k) + 1].first
                                              : static_cast<std::uint32_t>(m_variables.size());
    return static_cast<int>(end - m_entries[static_cast<std::size_t>(k)].first);
}

QV_VarParam* StructureStore::NonZero(int k, int t) const {
    if (t < 0 || t >= NonZeroCount(k)) return nullptr;
    return m_variables[m_entries[static_cast<std::size_t>(k)].first + static_cast<std::size_t>(t)];
}

void ExpressionStore::Clear() {
    m_equations.clear();
    m_variables.clear();
    m_tail = -1;
    m_stray = 0;
}

void ExpressionStore::ClearTokens() {
    for (std::size_t e = 0; e < m_equations.size(); ++e) {
        m_equations[e].shape = ShapeTree::Root;
        m_equations[e].first = 0;
    }
    m_variables.clear();
    m_tail = -1;
}

void ExpressionStore::Register(int e, const char* name, int group) {
    const auto number = static_cast<std::size_t>(e);
    if (m_equations.size() <= number)
        m_equations.resize(number + 1, {ShapeTree::Root, Unregistered, 0, 0});
    m_equations[number] = {ShapeTree::Root, m_names.Intern(name), group, m_variables.size()};
}

void ExpressionStore::MoveToEnd(Equation& q) {
    const std::uint32_t moved = m_variables.size();
    m_variables.Repeat(q.first, m_shapes.Variables(q.shape));
    q.first = moved;
}

const char* ExpressionStore::Name(int e) const {
    if (!Has(e) || m_equations[static_cast<std::size_t>(e)].name == Unregistered) return "";
    return m_names.Name(m_equations[static_cast<std::size_t>(e)].name);
}

int ExpressionStore::Group(int e) const {
    return Has(e) ? m_equations[static_cast<std::size_t>(e)].group : 0;
}

int ExpressionStore::TokenCount(int e) const {
    return Has(e)
               ? static_cast<int>(m_shapes.Length(m_equations[static_cast<std::size_t>(e)].shape))
               : 0;
}

QV_ExprToken ExpressionStore::Token(int e, int t) const {
    if (t < 0 || t >= TokenCount(e)) return {QV_ExprToken::Operator, 0, 0, 0.0, nullptr};
    const Equation& q = m_equations[static_cast<std::size_t>(e)];
    const ShapeTree::Step& step = m_shapes.Steps(q.shape)[t];
    QV_ExprToken token = step.token;
    if (token.kind == QV_ExprToken::Variable) token.variable = m_variables[q.first + step.variable];
    return token;
}

} // namespace qvhost
