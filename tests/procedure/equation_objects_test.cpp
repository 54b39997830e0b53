// The procedure's equations as objects of its owner: made by the library, ended by the owner,
// written through the owner's expression interface.
#include "host/qv_memory.h"
#include "tests/procedure/procedure_fixture.h"

namespace norvane::test {
namespace {

// A model whose expression interface counts what the procedure hands it.
class CountingOwner final : public QV_ModelTypeEx {
public:
    void AddProcExpression(QV_ProcedureType* procedure, int output, int equation,
                           const char* source) override {
        ++expressions;
        QV_ModelTypeEx::AddProcExpression(procedure, output, equation, source);
    }
    void AddTerm(QV_VarParam& variable, int*& rows, int*& cols, int equation) override {
        ++terms;
        QV_ModelTypeEx::AddTerm(variable, rows, cols, equation);
    }
    using QV_ModelTypeEx::AddTerm;
    int expressions = 0;
    int terms = 0;
};

// The equation and its terms go through the owner's interface, so an owner that builds them
// otherwise sees each one.
TEST(ProcedureEquations, ReachTheOwnerThroughItsExpressionInterface) {
    InterpolationCall call(2.5, Steps, 1);
    QVProc_INTERPOLATE p(false, 0);
    call.ListBoth(p);
    CountingOwner owner;
    const Evaluation e = Evaluate(p, &owner);
    EXPECT_EQ(owner.expressions, 1);
    EXPECT_EQ(owner.terms, e.nonZeros) << "the output, the point and the eight table entries";
    EXPECT_EQ(owner.TokenCount(0), e.nonZeros);
}

// Each equation object comes from the library's allocator, and the owner's release returns its
// block there: none is left once the owner drops its equations, and none is freed twice.
TEST(ProcedureEquations, BlocksComeBackWhenTheOwnerDropsThem) {
    InterpolationCall call(2.5, Steps, 1);
    QVProc_INTERPOLATE p(false, 0);
    call.ListBoth(p);
    QV_ModelTypeEx owner;
    const long live = qvhost::LiveBlocks();
    RunOwnerPasses(p, &owner, 3);
    ASSERT_NE(owner.EquationObject(0), nullptr);
    EXPECT_EQ(qvhost::LiveBlocks(), live + 1) << "one equation object";
    RunOwnerPasses(p, &owner, 3); // the new pass drops the old equation
    EXPECT_EQ(qvhost::LiveBlocks(), live + 1);
    int* none = nullptr;
    owner.JacPattern(none, none, nullptr);
    EXPECT_EQ(qvhost::LiveBlocks(), live);
}

// The output element, asked of the procedure or of its equation, as a variable of the system.
TEST(ProcedureEquations, OutputIsTheOutputVariable) {
    InterpolationCall call(2.5, Steps, 1);
    QVProc_INTERPOLATE p(false, 0);
    call.ListBoth(p);
    QV_ModelTypeEx owner;
    RunOwnerPasses(p, &owner, 3);
    EXPECT_EQ(p.OutputVar(0), &call.output);
    EXPECT_EQ(p.OutputVar(1), nullptr);
    EXPECT_EQ(owner.EquationObject(0)->OutputVar(), &call.output);
}

// An input element that becomes a solver variable after the counting pass, ahead of the one
// free input counted: the equation keeps the counted number of terms, the first free elements
// in listing order, and the Jacobian row is as wide, its entry that term's; nothing is written
// beyond either.
TEST(ProcedureEquations, TermsStopAtTheFreeInputsCounted) {
    InterpolationCall call(0.5, Steps, 1);
    call.FixTable();
    call.point.UserSet(0.5);
    call.ys[2].Unfix();
    QVProc_INTERPOLATE p(false, 0);
    call.List(p);
    p.LastArgument();
    call.xs[0].Unfix();
    call.List(p);

    CountingOwner owner;
    const OwnerPasses passes = RunOwnerPasses(p, &owner, 3);
    ASSERT_EQ(passes.nonZeros, 2) << "the output and the one free input counted";
    EXPECT_EQ(owner.terms, 2);
    EXPECT_EQ(passes.entries, 2);
    ASSERT_EQ(owner.TokenCount(0), 2);
    EXPECT_EQ(owner.Token(0, 0).variable, &call.output);
    EXPECT_EQ(owner.Token(0, 1).variable, &call.xs[0]) << "the first free element listed";

    p.Precall(true);
    std::vector<double> row(passes.nonZeros + 2, std::nan(""));
    int index = 0;
    EXPECT_EQ(p.Jacobian(row.data(), index), 0);
    EXPECT_EQ(index, passes.nonZeros);
    EXPECT_EQ(row[0], 1.0);
    EXPECT_DOUBLE_EQ(row[1], 1.0) << "the first abscissa's entry, not the third ordinate's (0)";
    EXPECT_TRUE(std::isnan(row[2]) && std::isnan(row[3])) << "written beyond the counted width";
    EXPECT_NEAR(row[1], ResidualDifferences(p, {&call.xs[0]})[0], 1e-6);
}

} // namespace
} // namespace norvane::test
