// A model's equation bookkeeping: the structure that SetUpEquations declares and the
// expressions that JacPattern writes. Both are sized for millions of equations: one
// contiguous run of variable references per store, a record of 8 or 16 bytes per equation,
// and memory that a new pass reuses instead of allocating afresh. A store holds at most
// 2^32 - 1 variable references; one more throws std::length_error.
//
// The structure keeps the variables as pointers: declaring one then never reads the variable
// itself, which on a large grid lies far from the one declared before it. The expressions
// keep 32-bit variable numbers, half the size: writing a term reads the variable anyway, for
// its place in the equation system.
#pragma once

#include <cstdint>

#include "host/expression_shapes.h"
#include "host/pod_array.h"
#include "host/variable_registry.h"

namespace qvhost {

[[noreturn]] void ThrowStoreFull();

// The variables of one store by number, in the order they were stored.
class VariableRun {
public:
    void clear() { m_ids.clear(); }
    std::uint32_t size() const { return static_cast<std::uint32_t>(m_ids.size()); }
    void push_back(QV_VarParam& variable) {
        if (m_ids.size() == UINT32_MAX) ThrowStoreFull();
        m_ids.push_back(VariableRegistry::IdOf(variable));
    }
    // Appends again the `count` variables from `first` on.
    void Repeat(std::uint32_t first, std::uint32_t count);
    QV_VarParam* operator[](std::uint32_t k) const {
        return VariableRegistry::VariableOf(m_ids[k]);
    }

private:
    PodArray<std::uint32_t> m_ids;
};

// Per equation its group and the variables it depends on, in the order they were added.
class StructureStore {
public:
    void Clear(); // keeps the memory
    // Opens the next equation's structure.
    void Open(int group) {
        m_entries.push_back({group, static_cast<std::uint32_t>(m_variables.size())});
    }
    // Adds a variable to the structure opened last; false when none is open.
    bool Add(QV_VarParam& variable) {
        if (m_entries.empty()) return false;
        if (m_variables.size() == UINT32_MAX) ThrowStoreFull();
        m_variables.push_back(&variable);
        return true;
    }

    // Out-of-range numbers give 0 or null.
    int Count() const { return static_cast<int>(m_entries.size()); }
    bool Has(int k) const { return k >= 0 && k < Count(); }
    int Group(int k) const;
    int NonZeroCount(int k) const;
    QV_VarParam* NonZero(int k, int t) const;

private:
    struct Entry {
        int group;
        std::uint32_t first; // of its variables; they run up to the next entry's first
    };
    PodArray<Entry> m_entries;
    PodArray<QV_VarParam*> m_variables;
};

// Registered equations, each with its name, group and prefix expression.
class ExpressionStore {
public:
    // Drops every equation and the stray count; keeps the memory, the shapes and the names.
    void Clear();
    // Every registered equation keeps its registration and loses its tokens.
    void ClearTokens();
    // Registers equation `e` (0 or more) anew, without tokens; numbers below it that were
    // never registered stay unregistered.
    void Register(int e, const char* name, int group);
    // Appends a token to equation `e`; false, and counted as stray, when `e` is not registered.
    bool Append(int e, const QV_ExprToken& token) {
        if (e < 0 || e >= Count() ||
            m_equations[static_cast<std::size_t>(e)].name == Unregistered) {
            ++m_stray;
            return false;
        }
        Equation& q = m_equations[static_cast<std::size_t>(e)];
        if (token.kind == QV_ExprToken::Variable) {
            // Appends to one equation at a time find its variables at the end already.
            if (e != m_tail) {
                if (q.first + m_shapes.Variables(q.shape) != m_variables.size()) MoveToEnd(q);
                m_tail = e;
            }
            m_variables.push_back(*token.variable);
        }
        q.shape = m_shapes.Child(q.shape, token);
        return true;
    }

    int Count() const { return static_cast<int>(m_equations.size()); }
    // Out-of-range numbers give 0, "" or an operator token of code 0, which no expression
    // holds; an unregistered equation has the name "".
    bool Has(int e) const { return e >= 0 && e < Count(); }
    const char* Name(int e) const;
    int Group(int e) const;
    int TokenCount(int e) const;
    QV_ExprToken Token(int e, int t) const;
    int Stray() const { return m_stray; }
    bool IsRegistered(int e) const {
        return Has(e) && m_equations[static_cast<std::size_t>(e)].name != Unregistered;
    }
    // Counts an append to an equation that was never registered, made outside this store.
    void CountStray() { ++m_stray; }

private:
    static constexpr std::uint32_t Unregistered = UINT32_MAX;
    struct Equation {
        std::uint32_t shape; // its node in m_shapes
        std::uint32_t name;  // its number in m_names, or Unregistered
        int group;
        std::uint32_t first; // of its variables in m_variables
    };
    // Moves the variables of `q` to the end of m_variables (appends that alternate between
    // equations leave the old copy unused until the next pass).
    void MoveToEnd(Equation& q);

    ShapeTree m_shapes;
    NameTable m_names;
    PodArray<Equation> m_equations;
    VariableRun m_variables;
    int m_tail = -1; // the equation whose variables end m_variables; -1: none known
    int m_stray = 0;
};

} // namespace qvhost
