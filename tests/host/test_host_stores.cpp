// The host stand-in's compact objects and equation stores: rare members kept in a record,
// shapes of expressions kept once, variables kept as numbers, memory kept for the next pass.
// Each must read back exactly what was put in, whatever the order it came in.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "host/qv_system.h"
#include "host/qvcore.h"

namespace {

// A one-index array of real variables made by the host alone.
struct RealArray : QV_BASE_I {
    QV_Type* NewElement() override { return new QV_REALVARIABLE(true); }
};

TEST(HostObject, RareMembersDefaultUntilSetAndIndexTextsOfAnyLength) {
    QV_REALVARIABLE element(true);
    EXPECT_EQ(element.Owner(), nullptr);
    EXPECT_STREQ(element.Name(), "");
    EXPECT_EQ(element.Description(), nullptr);
    EXPECT_EQ(element.Direction(), 0);
    EXPECT_EQ(element.HostPortType(), 0);
    EXPECT_EQ(element.FiledIn(), nullptr);
    EXPECT_EQ(element.DependentCount(), 0);
    EXPECT_EQ(element.Lower().Type(), SUValue::TypeNone);

    RealArray array;
    const std::string longText(200, 'k');
    for (const std::string& text : {std::string("12,345,6789"), std::string("12,345,67890"),
                                    longText, std::string(""), std::string("3")}) {
        element.SetElementOf(&array, text.c_str());
        EXPECT_EQ(element.IndexText(), text);
        EXPECT_EQ(element.Parent(), &array);
    }

    QV_ModelTypeEx owner;
    element.AddProperty(&owner, "X", "the x", 4, false);
    element.SetDirection(8);
    element.HostPortType(2);
    element.SetFiledIn(&array);
    EXPECT_EQ(element.Owner(), &owner);
    EXPECT_STREQ(element.Name(), "X");
    EXPECT_STREQ(element.Description(), "the x");
    EXPECT_EQ(element.Direction(), 8);
    EXPECT_EQ(element.HostPortType(), 2);
    EXPECT_EQ(element.FiledIn(), &array);
    EXPECT_STREQ(element.IndexText(), "3");

    const QV_REALVARIABLE copy(element);
    EXPECT_EQ(copy.Owner(), nullptr) << "a copy is not registered";
    EXPECT_EQ(copy.Parent(), nullptr);
}

// One token of each kind, in the order a test appends them, and how it reads back.
struct Appended {
    QV_ExprToken::Kind kind;
    int value;
    double real;
    int variable; // index into the model's variables
};

void Append(QV_ModelTypeEx& m, const Appended& a, std::vector<QV_REALVARIABLE>& vars, int e) {
    int* none = nullptr;
    switch (a.kind) {
    case QV_ExprToken::Operator:
        m.AddOp(static_cast<EOp>(a.value), e);
        break;
    case QV_ExprToken::Integer:
        m.AddTerm(a.value, e);
        break;
    case QV_ExprToken::Real:
        m.AddTerm(a.real, e);
        break;
    case QV_ExprToken::Variable:
        m.AddTerm(vars[static_cast<std::size_t>(a.variable)], none, none, e);
        break;
    }
}

::testing::AssertionResult ReadsBack(const QV_ModelType& m, int e,
                                     const std::vector<Appended>& tokens,
                                     std::vector<QV_REALVARIABLE>& vars) {
    if (m.TokenCount(e) != static_cast<int>(tokens.size()))
        return ::testing::AssertionFailure() << m.TokenCount(e) << " tokens";
    for (std::size_t t = 0; t < tokens.size(); ++t) {
        const QV_ExprToken got = m.Token(e, static_cast<int>(t));
        const Appended& want = tokens[t];
        bool same = got.kind == want.kind;
        if (want.kind == QV_ExprToken::Operator) same = same && got.op == want.value;
        if (want.kind == QV_ExprToken::Integer) same = same && got.integer == want.value;
        if (want.kind == QV_ExprToken::Real)
            same = same && std::memcmp(&got.real, &want.real, sizeof got.real) == 0;
        if (want.kind == QV_ExprToken::Variable)
            same = same && got.variable == &vars[static_cast<std::size_t>(want.variable)];
        if (!same) return ::testing::AssertionFailure() << "token " << t << " of equation " << e;
    }
    return ::testing::AssertionSuccess();
}

// Equations of one shape with other variables, other constants (bit for bit: -0.0 is not
// 0.0), and appends that alternate between equations.
TEST(HostExpressionStore, TokensReadBackExactlyWhateverTheOrderOfAppends) {
    using K = QV_ExprToken;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<std::vector<Appended>> equations = {
        {{K::Operator, EOp_Minus, 0, 0}, {K::Variable, 0, 0, 0}, {K::Variable, 0, 0, 1}},
        {{K::Operator, EOp_Minus, 0, 0}, {K::Variable, 0, 0, 2}, {K::Variable, 0, 0, 0}},
        {{K::Operator, EOp_Times, 0, 0}, {K::Real, 0, -0.0, 0}, {K::Variable, 0, 0, 1}},
        {{K::Operator, EOp_Times, 0, 0}, {K::Real, 0, 0.0, 0}, {K::Variable, 0, 0, 1}},
        {{K::Operator, EOp_Plus, 0, 0}, {K::Integer, INT_MIN, 0, 0}, {K::Real, 0, nan, 0}},
        {{K::Operator, EOp_Identity, 0, 0}, {K::Integer, INT_MAX, 0, 0}},
    };
    std::vector<QV_REALVARIABLE> vars(3);
    QV_ModelTypeEx m;
    for (int pass = 0; pass < 2; ++pass) {
        int counter = 0;
        for (std::size_t e = 0; e < equations.size(); ++e)
            m.AddEquation(("E" + std::to_string(e % 2)).c_str(), counter, static_cast<int>(e));
        // Round-robin: one token of each equation in turn.
        for (std::size_t t = 0; t < 3; ++t)
            for (std::size_t e = 0; e < equations.size(); ++e)
                if (t < equations[e].size()) Append(m, equations[e][t], vars, static_cast<int>(e));
        ASSERT_EQ(m.EquationCount(), static_cast<int>(equations.size()));
        for (std::size_t e = 0; e < equations.size(); ++e) {
            EXPECT_TRUE(ReadsBack(m, static_cast<int>(e), equations[e], vars));
            EXPECT_STREQ(m.EquationName(static_cast<int>(e)), e % 2 ? "E1" : "E0");
            EXPECT_EQ(m.EquationGroup(static_cast<int>(e)), static_cast<int>(e));
        }
        EXPECT_EQ(qvhost::Evaluate(m, 0).gradient.size(), 2u);
        int* none = nullptr;
        m.JacPattern(none, none, nullptr); // a new pass: the equations go, their memory stays
        EXPECT_EQ(m.EquationCount(), 0);
    }

    int counter = 3;
    m.AddEquation("late", counter, 1); // equations 0 .. 2 are never registered
    Append(m, equations[5][0], vars, 1);
    EXPECT_EQ(m.StrayTokens(), 1);
    EXPECT_STREQ(m.EquationName(0), "");
    EXPECT_EQ(m.TokenCount(2), 0);
    EXPECT_EQ(m.Token(3, 0).kind, QV_ExprToken::Operator) << "out of range: operator code 0";
    EXPECT_EQ(m.Token(3, 0).op, 0);
    EXPECT_STREQ(m.EquationName(4), "");
    EXPECT_EQ(m.TokenCount(-1), 0);
}

TEST(HostExpressionStore, ResetAndReRegistrationDropTokensButKeepRegistrations) {
    std::vector<QV_REALVARIABLE> vars(2);
    QV_ModelTypeEx m;
    int counter = 0;
    m.AddEquation("A", counter, 1);
    m.AddEquation("B", counter, 2);
    const std::vector<Appended> minus = {{QV_ExprToken::Operator, EOp_Minus, 0, 0},
                                         {QV_ExprToken::Variable, 0, 0, 0},
                                         {QV_ExprToken::Variable, 0, 0, 1}};
    for (const Appended& a : minus)
        Append(m, a, vars, 1);
    m.ResetExpressions();
    EXPECT_EQ(m.TokenCount(1), 0);
    EXPECT_STREQ(m.EquationName(1), "B");
    for (const Appended& a : minus)
        Append(m, a, vars, 0);
    EXPECT_TRUE(ReadsBack(m, 0, minus, vars));
    counter = 0;
    m.AddEquation("A2", counter, 7);
    EXPECT_EQ(m.TokenCount(0), 0);
    EXPECT_STREQ(m.EquationName(0), "A2");
}

TEST(HostStructureStore, KeepsEachEquationsVariablesInOrderAcrossPasses) {
    std::vector<QV_REALVARIABLE> vars(3);
    QV_ModelTypeEx m;
    m.AddNonZero(vars[0]); // nothing opened yet: nothing to attach it to
    EXPECT_EQ(m.StructureCount(), 0);
    for (int pass = 0; pass < 2; ++pass) {
        m.SetUpEquations();
        m.SetGroupLimits(3);
        m.AddNonZero(vars[2]);
        m.AddNonZero(vars[0]);
        m.SetGroupLimits(4);
        m.SetGroupLimits(5);
        m.AddNonZero(vars[1]);
        ASSERT_EQ(m.StructureCount(), 3);
        EXPECT_EQ(m.NonZeroCount(0), 2);
        EXPECT_EQ(m.NonZero(0, 0), &vars[2]);
        EXPECT_EQ(m.NonZero(0, 1), &vars[0]);
        EXPECT_EQ(m.NonZeroCount(1), 0);
        EXPECT_EQ(m.NonZero(2, 0), &vars[1]);
        EXPECT_EQ(m.StructureGroup(2), 5);
        EXPECT_EQ(m.NonZero(1, 0), nullptr);
        EXPECT_EQ(m.StructureGroup(3), 0);
        EXPECT_EQ(m.NonZeroCount(-1), 0);
    }
}

// A variable's number goes back when it goes away and serves the next one: the stores still
// hand out the variables they were given.
TEST(HostStores, NumbersOfVariablesThatWentAwayServeNewOnes) {
    QV_ModelTypeEx m;
    m.SetGroupLimits(1);
    QV_REALVARIABLE kept(true);
    {
        QV_REALVARIABLE gone(true);
        m.AddNonZero(gone);
        m.SetUpEquations();
    }
    auto* fresh = new QV_REALVARIABLE(true);
    m.SetGroupLimits(1);
    m.AddNonZero(kept);
    m.AddNonZero(*fresh);
    EXPECT_EQ(m.NonZero(0, 0), &kept);
    EXPECT_EQ(m.NonZero(0, 1), fresh);
    delete fresh;
}

TEST(HostStores, ARepeatedPassReusesThePatternBuffers) {
    std::vector<QV_REALVARIABLE> vars(2);
    struct TwoTerms : QV_ModelTypeEx {
        std::vector<QV_REALVARIABLE>* vars = nullptr;
        int SetUpEquations() override {
            QV_ModelType::SetUpEquations();
            SetGroupLimits(1);
            AddNonZero((*vars)[0]);
            AddNonZero((*vars)[1]);
            return 1;
        }
        int JacPattern(int*& rows, int*& cols, QV_EquationType** e) override {
            int counter = QV_ModelType::JacPattern(rows, cols, e);
            AddEquation("E", counter, 1);
            AddOp(EOp_Minus, 0);
            AddTerm((*vars)[0], rows, cols, 0);
            AddTerm((*vars)[1], rows, cols, 0);
            return counter;
        }
    } m;
    m.vars = &vars;
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
