// The host stand-in's values, sets, assignment rule and expression evaluation: the
// behaviour that the model types and the other tests rely on.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "host/qv_system.h"
#include "host/qvcore.h"

TEST(HostSet, KeepsMembersSortedAndFindsThemByBinarySearch) {
    QV_SetValue set(SUValue::TypeIntegerSet);
    for (int v : {7, 3, 9, 3, -1})
        set += v;
    ASSERT_EQ(set.SetSize(), 4);
    EXPECT_EQ(set.Integer(0), -1);
    EXPECT_EQ(set.Integer(3), 9);
    int position = -5;
    EXPECT_TRUE(set.SetContains(7, position));
    EXPECT_EQ(position, 2);
    EXPECT_FALSE(set.SetContains(8, position));
    EXPECT_EQ(position, 3) << "where the missing value belongs";
    EXPECT_FALSE(set.SetContains(100, position));
    EXPECT_EQ(position, 4);
}

TEST(HostSet, RangesUnionsIntersectionsAndTexts) {
    EXPECT_EQ(QV_IntSetValue(3, 2).SetSize(), 0);
    EXPECT_EQ(QV_IntSetValue(nullptr).SetSize(), 0);
    QV_IntSetValue a(1, 5);
    a *= QV_IntSetValue(4, 9);
    EXPECT_EQ(a, QV_IntSetValue(4, 5));
    QV_SetValue u(SUValue::TypeSet);
    u += QV_IntSetValue(1, 2);
    u += QV_IntSetValue(5, 5);
    EXPECT_EQ(u.SetSize(), 3);

    QV_StrSetValue methods("BFD1\"BFD2\"OCFE4\"");
    EXPECT_EQ(methods.SetSize(), 3);
    EXPECT_EQ(methods >= "BFD2", 1);
    EXPECT_EQ(methods >= "bfd2", 0) << "membership is exact";
    EXPECT_EQ(QV_StrSetValue("idx").SetSize(), 1);
    EXPECT_EQ(QV_StrSetValue(nullptr).SetSize(), 0);
}

// [a..INT_MIN] is the one-element set {a}; an iterator outlives the set value it walks.
TEST(HostSet, OneElementRangesAndIteratorsThatOutliveTheirSet) {
    EXPECT_EQ(QV_IntSetValue(7, INT_MIN), QV_IntSetValue(7, 7));
    EXPECT_EQ(QV_IntSetValue(0, -1).SetSize(), 0);
    QV_IntegerSetIter* walk;
    {
        QV_IntSetValue closed(0, INT_MIN);
        closed += QV_IntSetValue(3, 4);
        walk = new QV_IntegerSetIter(closed);
    }
    std::vector<int> seen;
    while (walk->Next())
        seen.push_back(walk->fv());
    delete walk;
    EXPECT_EQ(seen, (std::vector<int>{0, 3, 4}));
}

TEST(HostSet, CompareIgnoresCaseOnly) {
    EXPECT_EQ(SUValue::CompareCI("OCFE3", "ocfe3"), 0);
    EXPECT_NE(SUValue::CompareCI("OCFE3", "OCFE"), 0);
    EXPECT_NE(SUValue::CompareCI("a", nullptr), 0);
}

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

TEST(HostAllocator, CountsBlocksAndFailsTheRequestedCall) {
    const long live = qvhost::LiveBlocks();
    auto* p = new QV_REALVARIABLE(true);
    EXPECT_EQ(qvhost::LiveBlocks(), live + 1);
    delete p;
    EXPECT_EQ(qvhost::LiveBlocks(), live);
    qvhost::FailAllocation(2);
    void* first = MyAllocate(8);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(MyAllocate(8), nullptr);
    void* third = MyAllocate(8);
    EXPECT_NE(third, nullptr);
    MyFree(first);
    MyFree(third);
    MyFree(nullptr);
    EXPECT_EQ(qvhost::LiveBlocks(), live);
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
