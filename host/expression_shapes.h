// The shapes of stored expressions, and the names of equations, each kept once per model.
//
// The shape of a prefix expression is its token sequence with every variable taken as "a
// variable". Shapes form a tree: the root is the empty expression, and each node adds one
// token to its parent's shape. Thousands of equations written by one stencil share one node,
// so an equation stores only the node it has reached and its own variables.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/qv_model.h"

namespace qvhost {

class ShapeTree {
public:
    static constexpr std::uint32_t Root = 0;

    // One token of a shape; `variable` is the position of a variable among the shape's
    // variables (the token's own variable pointer is left null).
    struct Step {
        QV_ExprToken token;
        std::uint32_t variable;
    };

    ShapeTree();
    // The node of `node`'s shape followed by `token`, added when new. The child taken last
    // from a node is tried first: equations of one stencil take the same path.
    std::uint32_t Child(std::uint32_t node, const QV_ExprToken& token) {
        const Key key = KeyOf(token);
        const Node& parent = m_nodes[node];
        if (parent.lastChild != 0 && parent.lastKey == key) return parent.lastChild;
        return FindOrAdd(node, key);
    }
    // Tokens and variables of the shape up to `node`.
    std::uint32_t Length(std::uint32_t node) const { return m_nodes[node].length; }
    std::uint32_t Variables(std::uint32_t node) const { return m_nodes[node].variables; }
    // The steps of the shape up to `node`, in order; laid out on first need and kept.
    const Step* Steps(std::uint32_t node) const {
        if (node < m_laidOut.size() && m_laidOut[node] != 0)
            return m_steps[m_laidOut[node] - 1].data();
        return LayOut(node);
    }

private:
    // A token with its variable left out: its kind with its operator code or integer, and
    // the bits of its real. Equal keys are the same token of a shape.
    struct Key {
        std::uint64_t word;
        std::uint64_t real;
        bool operator==(const Key& other) const { return word == other.word && real == other.real; }
    };
    static Key KeyOf(const QV_ExprToken& token) {
        std::uint32_t value = 0;
        std::uint64_t real = 0;
        if (token.kind == QV_ExprToken::Operator)
            value = static_cast<std::uint32_t>(token.op);
        else if (token.kind == QV_ExprToken::Integer)
            value = static_cast<std::uint32_t>(token.integer);
        else if (token.kind == QV_ExprToken::Real)
            std::memcpy(&real, &token.real, sizeof real);
        return {static_cast<std::uint64_t>(token.kind) << 32 | value, real};
    }
    static QV_ExprToken TokenOf(const Key& key);
    std::uint32_t FindOrAdd(std::uint32_t node, const Key& key);
    const Step* LayOut(std::uint32_t node) const;

    // A node holds the key of the child taken last beside its number, and fills one cache
    // line: the step from a node to that child, which every token of an expression takes after
    // the step before, reads one line.
    struct alignas(64) Node {
        Key lastKey;             // of lastChild
        std::uint32_t lastChild; // the child taken last; 0: none
        std::uint32_t variables;
        std::uint32_t length;
        Key key;
        std::uint32_t parent;
        std::uint32_t firstChild;  // 0: none (the root is nobody's child)
        std::uint32_t nextSibling; // 0: none
    };
    std::vector<Node> m_nodes;
    // Per node, 1 + the index of its laid-out steps in m_steps; 0: not laid out yet.
    mutable std::vector<std::uint32_t> m_laidOut;
    mutable std::vector<std::vector<Step>> m_steps;
};

// Equation names, each kept once: an equation stores the number of its name.
class NameTable {
public:
    std::uint32_t Intern(const char* name);
    const char* Name(std::uint32_t number) const { return m_names[number].c_str(); }

private:
    std::vector<std::string> m_names;
    std::unordered_map<std::string, std::uint32_t> m_numbers;
    // Names interned lately, by the address they were passed at: a library passes the same
    // few texts again and again. The text is still compared, so a reused buffer is no fault.
    struct Recent {
        const char* text = nullptr;
        std::uint32_t number = 0;
    };
    Recent m_recent[16];
};

} // namespace qvhost
