#include "host/equation_store.h"

#include <stdexcept>

namespace qvhost {

void VariableRun::Repeat(std::uint32_t first, std::uint32_t count) {
    for (std::uint32_t k = 0; k < count; ++k) {
        if (m_ids.size() == UINT32_MAX) ThrowFull();
        m_ids.push_back(m_ids[first + k]);
    }
}

void VariableRun::ThrowFull() {
    throw std::length_error("more than 2^32 - 1 variable references in one store");
}

void StructureStore::Clear() {
    m_entries.clear();
    m_variables.clear();
}

const StructureStore::Entry& StructureStore::at(int k) const {
    if (k < 0 || k >= Count()) throw std::out_of_range("no such structure record");
    return m_entries[static_cast<std::size_t>(k)];
}

int StructureStore::Group(int k) const {
    return at(k).group;
}

int StructureStore::NonZeroCount(int k) const {
    const std::uint32_t end =
        k + 1 < Count() ? m_entries[static_cast<std::size_t>(k) + 1].first : m_variables.size();
    return static_cast<int>(end - at(k).first);
}

QV_VarParam* StructureStore::NonZero(int k, int t) const {
    if (t < 0 || t >= NonZeroCount(k)) throw std::out_of_range("no such non-zero");
    return m_variables[at(k).first + static_cast<std::uint32_t>(t)];
}

void ExpressionStore::Clear() {
    m_equations.clear();
    m_variables.clear();
    m_stray = 0;
}

void ExpressionStore::ClearTokens() {
    for (std::size_t e = 0; e < m_equations.size(); ++e) {
        m_equations[e].shape = ShapeTree::Root;
        m_equations[e].first = 0;
    }
    m_variables.clear();
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

const ExpressionStore::Equation& ExpressionStore::at(int e) const {
    if (e < 0 || e >= Count()) throw std::out_of_range("no such equation");
    return m_equations[static_cast<std::size_t>(e)];
}

const char* ExpressionStore::Name(int e) const {
    const Equation& q = at(e);
    return q.name == Unregistered ? "" : m_names.Name(q.name);
}

int ExpressionStore::Group(int e) const {
    return at(e).group;
}

int ExpressionStore::TokenCount(int e) const {
    return static_cast<int>(m_shapes.Length(at(e).shape));
}

QV_ExprToken ExpressionStore::Token(int e, int t) const {
    const Equation& q = at(e);
    if (t < 0 || t >= static_cast<int>(m_shapes.Length(q.shape)))
        throw std::out_of_range("no such token");
    const ShapeTree::Step& step = m_shapes.Steps(q.shape)[t];
    QV_ExprToken token = step.token;
    if (token.kind == QV_ExprToken::Variable) token.variable = m_variables[q.first + step.variable];
    return token;
}

} // namespace qvhost
