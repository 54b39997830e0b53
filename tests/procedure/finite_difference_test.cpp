// The Jacobian of a procedure whose routine returns no derivatives: each free input element
// moved by its step, the routine called again, the negated difference quotient its column.
#include <cfloat>

#include "tests/procedure/procedure_fixture.h"
#include "tests/procedure/test_procedures.h"

namespace norvane::test {
namespace {

TEST(FiniteDifferences, AgreeWithTheRoutinesOwnDerivatives) {
    InterpolationCall exact(2.5, Steps, 1), differenced(2.5, Steps, 1);
    exact.xs[2].UserSet(2.0);
    differenced.xs[2].UserSet(2.0);
    QVProc_INTERPOLATE p(false, 0);
    Differenced q("QVNorvane", "INTERP");
    exact.ListBoth(p);
    differenced.ListBoth(q);
    const Evaluation a = Evaluate(p), b = Evaluate(q);
    ASSERT_EQ(b.jacobianStatus, 0);
    ASSERT_EQ(a.jacobian.size(), b.jacobian.size());
    for (std::size_t k = 0; k < a.jacobian.size(); ++k)
        EXPECT_NEAR(b.jacobian[k], a.jacobian[k], 1e-6 * std::max(1.0, std::fabs(a.jacobian[k])))
            << k;
    EXPECT_EQ(Residual(q), a.residuals[0]) << "the variables and outputs are restored";
    // Until the routine runs again, the stored columns serve without a call.
    std::vector<double> again(b.jacobian.size());
    int index = 0;
    EXPECT_EQ(q.Jacobian(again.data(), index), 0);
    EXPECT_EQ(again, b.jacobian);
}

const ScriptedRoutine::Value Linear = [](double x, double, double) { return 3.0 * x; };
const ScriptedRoutine::Value StepUp = [](double x, double, double) { return x > 0 ? 1.0 : 0.0; };
const ScriptedRoutine::Value StepDown = [](double x, double, double) { return x > 0 ? -1.0 : 0.0; };
const double Clamp = 1.79769313486231e308; // below DBL_MAX
const double Tiny = 1.0 / (1 << 22);       // below the step, exactly representable around 0.5

struct StepCase {
    const char* name;
    ScriptedRoutine::Value value;
    double x, lower, upper;
    double perturbed; // where the point is moved to
    double column;    // the point's entry in the row, exact beyond the linear routine
};

class FiniteDifferenceStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(FiniteDifferenceStep, MovesThePointWithinItsBounds) {
    const StepCase& c = GetParam();
    ScriptedRoutine routine(c.value);
    InterpolationCall call(c.x, Steps, 1);
    call.FixTable();
    call.point.SetBounds(c.lower, c.upper);
    Differenced p("QVTestRoutines", "SCRIPT");
    call.ListBoth(p);
    const Evaluation e = Evaluate(p);
    ASSERT_EQ(e.jacobianStatus, 0);
    ASSERT_EQ(routine.points.size(), c.perturbed == c.x ? 1u : 2u) << "unmoved, not called";
    EXPECT_EQ(routine.points.back(), c.perturbed);
    EXPECT_NEAR(e.jacobian[1], c.column, c.value == Linear ? 1e-9 : 0.0);
    EXPECT_EQ(call.point.Real(), c.x) << "restored";
}

// The step is 1e-6, relative beyond 1; turned back at a bound; when both ways leave the
// bounds, the move to the bound with more room (upper on a tie). A quotient too large for its
// step is held to the clamp with the quotient's sign, negated.
const StepCase StepCases[] = {
    {"small_value", Linear, 0.5, -DBL_MAX, DBL_MAX, 0.5 + 1e-6, -3},
    {"relative_beyond_one", Linear, -1.5, -DBL_MAX, DBL_MAX, -1.5 + 1.5 * 1e-6, -3},
    {"turned_at_the_upper_bound", Linear, 0.5, 0, 0.5 + Tiny, 0.5 - 1e-6, -3},
    {"to_the_roomier_bound", Linear, 0.5, 0.5 - Tiny, 0.5 + Tiny / 2, 0.5 - Tiny, -3},
    {"to_the_upper_bound_on_a_tie", Linear, 0.5, 0.5 - Tiny, 0.5 + Tiny, 0.5 + Tiny, -3},
    {"zero_step_gives_zero", Linear, 0.5, 0.5, 0.5, 0.5, 0},
    {"clamped_rise", StepUp, 0, 0, 1e-310, 1e-310, -Clamp},
    {"clamped_fall", StepDown, 0, 0, 1e-310, 1e-310, Clamp}};
INSTANTIATE_TEST_SUITE_P(Rules, FiniteDifferenceStep, ::testing::ValuesIn(StepCases), CaseName);

// Excludes the second abscissa from the host's incremental update.
class ExcludesOne : public QV_IncrementalUpdate {
public:
    explicit ExcludesOne(QV_VarParam* excluded) : m_excluded(excluded) {}
    bool IncludesVariable(QV_VarParam* v) override { return v != m_excluded; }

private:
    QV_VarParam* m_excluded;
};

TEST(FiniteDifferences, AnExcludedVariableGetsAZeroColumnAndNoCall) {
    ScriptedRoutine routine([](double x, double a, double) { return 3.0 * x + 5.0 * a; });
    InterpolationCall call(0.5, Steps, 1);
    ExcludesOne controller(&call.xs[1]);
    Differenced p("QVTestRoutines", "SCRIPT");
    p.SetUpdateController(&controller);
    call.ListBoth(p);
    const Evaluation e = Evaluate(p);
    EXPECT_EQ(routine.points.size(), 1u + 8u) << "the residual's, then every free input but one";
    EXPECT_NEAR(e.jacobian[1], -3.0, 1e-6);
    EXPECT_NEAR(e.jacobian[2], -5.0, 1e-6);
    EXPECT_EQ(std::vector<double>(e.jacobian.begin() + 3, e.jacobian.end()),
              std::vector<double>(7, 0.0))
        << "excluded, then no dependence";
}

TEST(FiniteDifferences, AFailedPerturbedCallLeavesItsOwnColumnZeroAndIsTakenAgain) {
    // Fails only when the first abscissa has been moved: the later columns keep their places.
    ScriptedRoutine routine(
        [](double x, double a, double y) { return 3.0 * x + 5.0 * a + 7.0 * y; },
        [](double, double a) { return a != 0.0; });
    InterpolationCall call(0.5, Steps, 1);
    call.FixTable();
    call.xs[0].Unfix();
    call.ys[2].Unfix();
    Differenced p("QVTestRoutines", "SCRIPT");
    call.ListBoth(p);
    const Evaluation e = Evaluate(p);
    EXPECT_EQ(e.jacobianStatus, QV_ProcedureType::StatusRoutineFailed);
    ASSERT_EQ(e.jacobian.size(), 4u) << "the output, the point, the first abscissa, one ordinate";
    EXPECT_NEAR(e.jacobian[1], -3.0, 1e-6);
    EXPECT_EQ(e.jacobian[2], 0.0) << "its call failed";
    EXPECT_NEAR(e.jacobian[3], -7.0, 1e-6) << "the ordinate's own column, not shifted left";
    EXPECT_EQ(call.xs[0].Real(), 0.0) << "restored after the failed call";
    EXPECT_EQ(Residual(p), -(1.5 + 7 * 9.5)) << "the failed call stands no more";
    const std::size_t calls = routine.points.size();
    std::vector<double> again(e.jacobian.size());
    int index = 0;
    EXPECT_EQ(p.Jacobian(again.data(), index), QV_ProcedureType::StatusRoutineFailed)
        << "the incomplete row is never served as a success";
    EXPECT_EQ(routine.points.size(), calls + 3) << "the three free inputs moved again";
}

} // namespace
} // namespace norvane::test
