// What the structure and the expression pass of an accepted road must agree on, as the host
// holds them: SetUpEquations' count is the number of structures, of equations and of the
// expression pass's counter; each equation lies in its structure's group, its variable terms
// in prefix order are the variables its structure declared, and each has its Jacobian entry;
// no token lies outside an equation. Free of any test framework: the road fuzz target uses it
// too.
#pragma once

#include "host/qv_system.h"

#include <string>

namespace norvane::test {

// Empty when the passes agree; else the first disagreement.
inline std::string PassDisagreement(const QV_ModelType& d, int count,
                                    const qvhost::Pattern& pattern) {
    if (d.StructureCount() != count || d.EquationCount() != count || pattern.counter != count)
        return "SetUpEquations returned " + std::to_string(count) + ", " +
               std::to_string(d.StructureCount()) + " structures, " +
               std::to_string(d.EquationCount()) + " equations, counter " +
               std::to_string(pattern.counter);
    if (d.StrayTokens() != 0) return std::to_string(d.StrayTokens()) + " tokens in no equation";
    std::size_t terms = 0;
    for (int e = 0; e < count; ++e) {
        int t = 0;
        for (int k = 0; k < d.TokenCount(e); ++k) {
            const QV_ExprToken token = d.Token(e, k);
            if (token.kind == QV_ExprToken::Variable && d.NonZero(e, t++) != token.variable)
                return d.EquationName(e) + std::string(": term ") + std::to_string(t - 1) +
                       " is not the variable declared";
        }
        if (t != d.NonZeroCount(e) || d.StructureGroup(e) != d.EquationGroup(e))
            return d.EquationName(e) + std::string(": other terms or group declared");
        terms += static_cast<std::size_t>(t);
    }
    return terms == pattern.rows.size() ? "" : "Jacobian entries are not the terms";
}

} // namespace norvane::test
