// The residual of an equation instance for a known variable, evaluated from its stencil's
// prefix tokens without a host, beside the part of it that the rounding of its constants
// can explain.
#pragma once

#include "tests/scheme/fake_scheme.h"
#include "tests/scheme/manufactured.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace norvane::test {

// A residual, and how far it can move when each real constant moves by 5e-6 of its size (at
// least 5e-6): the rounding of the stored five-place constants.
struct Residual {
    double value, rounding;
};

// Evaluates the expression that starts at t and moves t past it; variable(token) gives the
// value of a variable token.
template <class VariableValue>
Residual EvaluatePrefix(const Token*& t, const VariableValue& variable) {
    const Token& token = *t++;
    switch (token.kind) {
    case Token::Kind::Integer:
        return {static_cast<double>(token.integer), 0.0};
    case Token::Kind::Real:
        return {token.real, 5e-6 * std::max(1.0, std::fabs(token.real))};
    case Token::Kind::Variable:
        return {variable(token), 0.0};
    case Token::Kind::Operator:
        break;
    }
    const Residual a = EvaluatePrefix(t, variable);
    if (token.op == OpCode::Square) return {a.value * a.value, 2 * std::fabs(a.value) * a.rounding};
    const Residual b = EvaluatePrefix(t, variable);
    if (token.op == OpCode::Times)
        return {a.value * b.value,
                std::fabs(a.value) * b.rounding + std::fabs(b.value) * a.rounding};
    if (token.op == OpCode::Divide)
        return {a.value / b.value,
                (a.rounding + std::fabs(a.value / b.value) * b.rounding) / std::fabs(b.value)};
    return {token.op == OpCode::Plus ? a.value + b.value : a.value - b.value,
            a.rounding + b.rounding};
}

// The solution `terms` on the node locations of the scheme's grids.
inline Manufactured OnGrids(std::vector<Term> terms, const FakeScheme& scheme) {
    std::vector<std::vector<double>> nodes;
    for (const FakeDirection& d : scheme.directions)
        nodes.push_back(d.x);
    return Manufactured(std::move(terms), std::move(nodes));
}

// The value of a variable token of instance `at` when VALUE is `exact`: the step of its
// section, a derivative along the instance's direction at its node, or VALUE integrated over
// the cell that ends at its node in each direction the term spans (the integral the family
// defines, or the lower one it integrates). No cell ends at node 0: NaN there.
inline double ExactTerm(const Manufactured& exact, const FakeScheme& scheme, const Instance& at,
                        const Token& token) {
    const int d = static_cast<int>(at.direction);
    if (token.field == Field::Step) return scheme.directions.at(d).parts.at(at.section - 1).h;
    int node[3] = {at.node[0], at.node[1], at.node[2]};
    node[d] = static_cast<int>(at.anchor + token.offset);
    if (token.field == Field::FirstDerivative) return exact.Derivative(node, d, 1);
    if (token.field == Field::SecondDerivative) return exact.Derivative(node, d, 2);
    const unsigned own = 1u << d, target = at.target != 0 ? at.target : own;
    const unsigned span = token.field == Field::Integral ? target : target & ~own;
    for (int c = 0; c < exact.Dimensions(); ++c)
        if ((span >> c & 1u) != 0 && node[c] < 1) return std::numeric_limits<double>::quiet_NaN();
    return exact.Integral(node, span);
}

// The residual of instance `at` when VALUE is `exact`.
inline Residual ResidualOf(const Manufactured& exact, const FakeScheme& scheme,
                           const Instance& at) {
    const Token* t = at.stencil->tokens;
    return EvaluatePrefix(t,
                          [&](const Token& token) { return ExactTerm(exact, scheme, at, token); });
}

} // namespace norvane::test
