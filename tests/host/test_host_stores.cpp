// The host stand-in's equation stores: shapes of expressions kept once, variables kept as
// numbers, memory kept for the next pass. Each must read back exactly what was put in,
// whatever the order it came in, pass after pass.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "host/qv_system.h"
#include "host/qvcore.h"

namespace {

using Token = QV_ExprToken;
Token Op(EOp op) {
    return {Token::Operator, op, 0, 0.0, nullptr};
}
Token Int(int value) {
    return {Token::Integer, 0, value, 0.0, nullptr};
}
Token Real(double value) {
    return {Token::Real, 0, 0, value, nullptr};
}
Token Var(QV_VarParam& variable) {
    return {Token::Variable, 0, 0, 0.0, &variable};
}

void Append(QV_ModelTypeEx& m, const Token& t, int e) {
    int* none = nullptr;
    if (t.kind == Token::Operator) m.AddOp(static_cast<EOp>(t.op), e);
    if (t.kind == Token::Integer) m.AddTerm(t.integer, e);
    if (t.kind == Token::Real) m.AddTerm(t.real, e);
    if (t.kind == Token::Variable) m.AddTerm(*t.variable, none, none, e);
}

// Constants bit for bit: -0.0 is not 0.0.
::testing::AssertionResult ReadsBack(const QV_ModelType& m, int e,
                                     const std::vector<Token>& tokens) {
    if (m.TokenCount(e) != static_cast<int>(tokens.size()))
        return ::testing::AssertionFailure() << m.TokenCount(e) << " tokens in equation " << e;
    for (std::size_t t = 0; t < tokens.size(); ++t) {
        const Token got = m.Token(e, static_cast<int>(t));
        const Token& want = tokens[t];
        if (got.kind != want.kind || got.op != want.op || got.integer != want.integer ||
            std::memcmp(&got.real, &want.real, sizeof got.real) != 0 ||
            got.variable != want.variable)
            return ::testing::AssertionFailure() << "token " << t << " of equation " << e;
    }
    return ::testing::AssertionSuccess();
}

// Equations of one shape with other variables or other constants, appended one token of each
// equation in turn, in two passes: the second finds the shapes of the first.
TEST(HostExpressionStore, TokensReadBackExactlyWhateverTheOrderOfAppends) {
    std::vector<QV_REALVARIABLE> v(3);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<std::vector<Token>> equations = {
        {Op(EOp_Minus), Var(v[0]), Var(v[1])},   {Op(EOp_Minus), Var(v[2]), Var(v[0])},
        {Op(EOp_Times), Real(-0.0), Var(v[1])},  {Op(EOp_Times), Real(0.0), Var(v[1])},
        {Op(EOp_Plus), Int(INT_MIN), Real(nan)}, {Op(EOp_Identity), Int(INT_MAX)},
    };
    QV_ModelTypeEx m;
    for (int pass = 0; pass < 2; ++pass) {
        int counter = 0;
        for (std::size_t e = 0; e < equations.size(); ++e)
            m.AddEquation(("E" + std::to_string(e % 2)).c_str(), counter, static_cast<int>(e));
        for (std::size_t t = 0; t < 3; ++t)
            for (std::size_t e = 0; e < equations.size(); ++e)
                if (t < equations[e].size()) Append(m, equations[e][t], static_cast<int>(e));
        ASSERT_EQ(m.EquationCount(), static_cast<int>(equations.size()));
        for (int e = 0; e < m.EquationCount(); ++e) {
            EXPECT_TRUE(ReadsBack(m, e, equations[static_cast<std::size_t>(e)]));
            EXPECT_STREQ(m.EquationName(e), e % 2 ? "E1" : "E0");
            EXPECT_EQ(m.EquationGroup(e), e);
        }
        int* none = nullptr;
        m.JacPattern(none, none, nullptr); // a new pass: the equations go, their memory stays
        EXPECT_EQ(m.EquationCount(), 0);
    }
    int counter = 3;
    m.AddEquation("late", counter, 1); // equations 0 .. 2 are never registered
    Append(m, Op(EOp_Identity), 1);
    EXPECT_EQ(m.StrayTokens(), 1);
    EXPECT_STREQ(m.EquationName(0), "");
    EXPECT_EQ(m.TokenCount(2), 0);
}

// What a model's JacPattern does first: the tokens go, the registrations stay; an equation
// registered anew starts empty.
TEST(HostExpressionStore, ResetAndReRegistrationDropTokensButKeepRegistrations) {
    std::vector<QV_REALVARIABLE> v(2);
    const std::vector<Token> minus = {Op(EOp_Minus), Var(v[0]), Var(v[1])};
    QV_ModelTypeEx m;
    int counter = 0;
    m.AddEquation("A", counter, 1);
    m.AddEquation("B", counter, 2);
    for (const Token& t : minus)
        Append(m, t, 1);
    m.ResetExpressions();
    EXPECT_EQ(m.TokenCount(1), 0);
    EXPECT_STREQ(m.EquationName(1), "B");
    for (const Token& t : minus)
        Append(m, t, 0);
    EXPECT_TRUE(ReadsBack(m, 0, minus));
    counter = 0;
    m.AddEquation("A2", counter, 7);
    EXPECT_EQ(m.TokenCount(0), 0);
    EXPECT_STREQ(m.EquationName(0), "A2");
}

TEST(HostStructureStore, KeepsEachEquationsVariablesInOrderAcrossPasses) {
    std::vector<QV_REALVARIABLE> v(3);
    QV_ModelTypeEx m;
    m.AddNonZero(v[0]); // nothing opened yet: nothing to attach it to
    EXPECT_EQ(m.StructureCount(), 0);
    for (int pass = 0; pass < 2; ++pass) {
        m.SetUpEquations();
        m.SetGroupLimits(3);
        m.AddNonZero(v[2]);
        m.AddNonZero(v[0]);
        m.SetGroupLimits(4);
        m.SetGroupLimits(5);
        m.AddNonZero(v[1]);
        ASSERT_EQ(m.StructureCount(), 3);
        EXPECT_EQ(m.NonZeroCount(0), 2);
        EXPECT_EQ(m.NonZero(0, 0), &v[2]);
        EXPECT_EQ(m.NonZero(0, 1), &v[0]);
        EXPECT_EQ(m.NonZero(0, 2), nullptr);
        EXPECT_EQ(m.NonZeroCount(1), 0);
        EXPECT_EQ(m.NonZero(2, 0), &v[1]);
        EXPECT_EQ(m.StructureGroup(2), 5);
    }
}

TEST(HostStores, ARepeatedPassReusesThePatternBuffers) {
    struct TwoTerms : QV_ModelTypeEx {
        QV_REALVARIABLE x{true}, y{true};
        int SetUpEquations() override {
            QV_ModelType::SetUpEquations();
            SetGroupLimits(1);
            AddNonZero(x);
            AddNonZero(y);
            return 1;
        }
        int JacPattern(int*& rows, int*& cols, QV_EquationType** e) override {
            int counter = QV_ModelType::JacPattern(rows, cols, e);
            AddEquation("E", counter, 1);
            AddOp(EOp_Minus, 0);
            AddTerm(x, rows, cols, 0);
            AddTerm(y, rows, cols, 0);
            return counter;
        }
    } m;
    qvhost::Pattern pattern;
    m.SetUpEquations();
    qvhost::RunJacPattern(m, pattern);
    const int* rows = pattern.rows.data();
    m.SetUpEquations();
    qvhost::RunJacPattern(m, pattern);
    EXPECT_EQ(pattern.rows.data(), rows);
    EXPECT_EQ(pattern.rows, (std::vector<int>{0, 0}));
    EXPECT_EQ(pattern.counter, 1);
}

} // namespace
