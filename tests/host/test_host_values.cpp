// The host stand-in's parameters, allocator and expression evaluation as the model types and
// the other tests rely on them: Assign keeps a user-fixed value, converts a value to the
// property's kind and records the assignment's tags; the test program's own allocations do
// not reach the host.
#include <gtest/gtest.h>

#include "host/qv_system.h"
#include "host/qvcore.h"

TEST(HostParameter, AssignKeepsAUserFixedValueAndRecordsTags) {
    QV_INTEGERPARAMETER p(true);
    QV_Value five(5, 7u, 3u, 12);
    EXPECT_EQ(p.Assign(&five), 1);
    EXPECT_EQ(p.v(), 5);
    EXPECT_EQ(p.LastAssignmentNumber(), 12);
    EXPECT_EQ(p.LastTagA(), 3u);
    EXPECT_EQ(p.LastTagB(), 7u);
    p.UserSet(9);
    QV_Value six(6, 0u, 0u, 13);
    EXPECT_EQ(p.Assign(&six), 0);
    EXPECT_EQ(p.v(), 9);
}

TEST(HostParameter, ValuesAreConvertedToThePropertyKind) {
    QV_STRINGSET integrals(true);
    QV_Value none("None", 0u, 0u, 7);
    integrals.Assign(&none);
    EXPECT_EQ(integrals.v() >= "None", 1);
    EXPECT_EQ(integrals.v() >= "idx", 0);

    QV_INTEGERPARAMETER count(true);
    QV_Value real(2.9, 0u, 0u, 1);
    count.Assign(&real);
    EXPECT_EQ(count.v(), 2);
}

TEST(HostAllocator, ProgramAllocationsDoNotReachTheHost) {
    const long calls = qvhost::AllocationCalls();
    auto* plain = new int(4);
    delete plain;
    EXPECT_EQ(qvhost::AllocationCalls(), calls);
}

namespace {
// A model with one registered equation written by hand.
struct HandModel : QV_ModelTypeEx {
    QV_REALVARIABLE x{true}, y{true};
};
} // namespace

TEST(HostExpressions, EvaluatesResidualAndJacobianOfAPrefixExpression) {
    HandModel m;
    m.x.UserSet(3.0);
    m.y.UserSet(2.0);
    int counter = 0;
    int buffer[4] = {};
    int cols[4] = {};
    int* rows = buffer;
    int* colCursor = cols;
    m.SetPatternBuffer(buffer, buffer + 2);
    m.AddEquation("E", counter, 4);
    // (x * sq(y)) - (x / 2.0) + op1(-3)
    m.AddOp(EOp_Plus, 0);
    m.AddOp(EOp_Minus, 0);
    m.AddOp(EOp_Times, 0);
    m.AddTerm(m.x, rows, colCursor, 0);
    m.AddOp(EOp_Square, 0);
    m.AddTerm(m.y, rows, colCursor, 0);
    m.AddOp(EOp_Divide, 0);
    m.AddTerm(m.x, rows, colCursor, 0);
    m.AddTerm(2.0, 0);
    m.AddOp(EOp_Identity, 0);
    m.AddTerm(-3, 0);
    EXPECT_EQ(counter, 1);
    EXPECT_EQ(rows - buffer, 2) << "the third variable term finds the buffer full";

    qvhost::Evaluation e = qvhost::Evaluate(m, 0);
    ASSERT_TRUE(e.ok);
    EXPECT_DOUBLE_EQ(e.value, 3.0 * 4.0 - 1.5 - 3.0);
    ASSERT_EQ(e.gradient.size(), 3u);
    EXPECT_DOUBLE_EQ(e.gradient[0].second, 4.0);           // d/dx of x*y^2
    EXPECT_DOUBLE_EQ(e.gradient[1].second, 2 * 3.0 * 2.0); // d/dy
    EXPECT_DOUBLE_EQ(e.gradient[2].second, -0.5);          // d/dx of -x/2

    m.AddTerm(1, 5); // never registered: counted, not stored
    EXPECT_EQ(m.StrayTokens(), 1);
}

TEST(HostExpressions, MalformedExpressionsDoNotEvaluate) {
    HandModel m;
    int counter = 0;
    m.AddEquation("E", counter, 1);
    m.AddOp(EOp_Plus, 0);
    m.AddTerm(1, 0);
    EXPECT_FALSE(qvhost::Evaluate(m, 0).ok) << "missing operand";
    m.AddTerm(1, 0);
    m.AddTerm(1, 0);
    EXPECT_FALSE(qvhost::Evaluate(m, 0).ok) << "operand left over";
    EXPECT_FALSE(qvhost::Evaluate(m, 3).ok);
}
