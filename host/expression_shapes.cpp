#include "host/expression_shapes.h"

#include <cstring>
#include <stdexcept>

namespace qvhost {

QV_ExprToken ShapeTree::TokenOf(const Key& key) {
    QV_ExprToken token{static_cast<QV_ExprToken::Kind>(key.word >> 32), 0, 0, 0.0, nullptr};
    const auto value = static_cast<int>(static_cast<std::uint32_t>(key.word));
    if (token.kind == QV_ExprToken::Operator)
        token.op = value;
    else if (token.kind == QV_ExprToken::Integer)
        token.integer = value;
    else if (token.kind == QV_ExprToken::Real)
        std::memcpy(&token.real, &key.real, sizeof token.real);
    return token;
}

ShapeTree::ShapeTree() {
    m_nodes.push_back(Node{{0, 0}, 0, 0, 0, {0, 0}, Root, 0, 0});
}

std::uint32_t ShapeTree::FindOrAdd(std::uint32_t node, const Key& key) {
    for (std::uint32_t c = m_nodes[node].firstChild; c != 0; c = m_nodes[c].nextSibling) {
        if (m_nodes[c].key == key) {
            m_nodes[node].lastChild = c;
            m_nodes[node].lastKey = key;
            return c;
        }
    }
    if (m_nodes.size() >= UINT32_MAX) throw std::length_error("too many expression shapes");
    const auto child = static_cast<std::uint32_t>(m_nodes.size());
    const Node& parent = m_nodes[node];
    const bool variable = TokenOf(key).kind == QV_ExprToken::Variable;
    const Node added{{0, 0},
                     0,
                     parent.variables + (variable ? 1u : 0u),
                     parent.length + 1,
                     key,
                     node,
                     0,
                     parent.firstChild};
    m_nodes.push_back(added);
    m_nodes[node].firstChild = child;
    m_nodes[node].lastChild = child;
    m_nodes[node].lastKey = key;
    return child;
}

const ShapeTree::Step* ShapeTree::LayOut(std::uint32_t node) const {
    if (m_laidOut.size() <= node) m_laidOut.resize(m_nodes.size(), 0);
    std::vector<Step> steps(m_nodes[node].length);
    for (std::uint32_t n = node; n != Root; n = m_nodes[n].parent) {
        const Node& step = m_nodes[n];
        steps[step.length - 1] = {TokenOf(step.key), step.variables > 0 ? step.variables - 1 : 0};
    }
    m_steps.push_back(std::move(steps));
    m_laidOut[node] = static_cast<std::uint32_t>(m_steps.size());
    return m_steps.back().data();
}

std::uint32_t NameTable::Intern(const char* name) {
    Recent& recent = m_recent[(reinterpret_cast<std::uintptr_t>(name) >> 3) % 16];
    if (recent.text == name && std::strcmp(m_names[recent.number].c_str(), name) == 0)
        return recent.number;
    const auto found = m_numbers.find(name);
    std::uint32_t number;
    if (found != m_numbers.end()) {
        number = found->second;
    } else {
        if (m_names.size() >= UINT32_MAX) throw std::length_error("too many equation names");
        number = static_cast<std::uint32_t>(m_names.size());
        m_names.emplace_back(name);
        m_numbers.emplace(m_names.back(), number);
    }
    recent = {name, number};
    return number;
}

} // namespace qvhost
