// The Jacobian of a procedure whose routine returns no derivatives: each free input element
// moved by its step, the routine called again, the negated difference quotient its column.
#include <cfloat>
#include <cstdint>
#include <cstring>

#include "tests/procedure/procedure_fixture.h"
#include "tests/procedure/test_procedures.h"

namespace norvane::test {
namespace {

const Table Steps = {{0.0, 0.0}, {1.0, 2.0}, {2.0, 3.0}, {4.0, 4.5}};

std::uint64_t Bits(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Lists `call` on `p` and runs the host's equation passes and calls; the Jacobian row.
template <class Procedure> Evaluation ListAndEvaluate(Procedure& p, InterpolationCall& call) {
    QV_ModelTypeEx owner;
    call.ListBoth(p);
    return Evaluate(p, owner);
}

TEST(FiniteDifferences, AgreeWithTheRoutinesOwnDerivatives) {
    const long live = qvhost::LiveBlocks();
    {
        InterpolationCall exact(2.5, Steps, 1), differenced(2.5, Steps, 1);
        exact.xs[2].UserSet(2.0);
        differenced.xs[2].UserSet(2.0);
        QVProc_INTERPOLATE p(false, 0);
        Differenced q("QVNorvane", "INTERP");
        const Evaluation a = ListAndEvaluate(p, exact), b = ListAndEvaluate(q, differenced);
        ASSERT_EQ(b.jacobianStatus, 0);
        ASSERT_EQ(a.jacobian.size(), b.jacobian.size());
        for (std::size_t k = 0; k < a.jacobian.size(); ++k)
            EXPECT_NEAR(b.jacobian[k], a.jacobian[k],
                        1e-6 * std::max(1.0, std::fabs(a.jacobian[k])))
                << k;
        EXPECT_EQ(b.residuals, a.residuals) << "the variables and outputs are restored";
        EXPECT_DOUBLE_EQ(differenced.point.Real(), 2.5);

        // Until the routine runs again, the stored columns serve without a call.
        std::vector<double> again(b.jacobian.size());
        int index = 0;
        EXPECT_EQ(q.Jacobian(again.data(), index), 0);
        EXPECT_EQ(again, b.jacobian);
        EXPECT_EQ(index, static_cast<int>(again.size()));
    }
    EXPECT_EQ(qvhost::LiveBlocks(), live) << "the saved outputs too are released";
}

struct StepCase {
    const char* name;
    double x, lower, upper;
    double perturbed;  // where the point is moved to
    double column;     // the point's entry in the row
    std::size_t calls; // of the routine: the residual's, and the perturbed one if it moved
};

class FiniteDifferenceStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(FiniteDifferenceStep, MovesThePointWithinItsBounds) {
    const StepCase& c = GetParam();
    ScriptedRoutine routine([](double x, double, double) { return 3.0 * x; });
    InterpolationCall call(c.x, Steps, 1);
    for (auto* entries : {&call.xs, &call.ys})
        for (QV_REALVARIABLE& v : *entries)
            v.UserSet(v.Real());
    call.point.SetBounds(c.lower, c.upper);
    Differenced p("QVTestRoutines", "SCRIPT");
    const Evaluation e = ListAndEvaluate(p, call);
    ASSERT_EQ(e.jacobianStatus, 0);
    ASSERT_EQ(routine.points.size(), c.calls);
    EXPECT_EQ(routine.points.back(), c.perturbed);
    EXPECT_NEAR(e.jacobian[1], c.column, 1e-9);
    EXPECT_FALSE(std::isnan(e.jacobian[1]));
    EXPECT_EQ(call.point.Real(), c.x) << "restored";
}

const double Tiny = 1.0 / (1 << 22); // below the step, exactly representable around 0.5

INSTANTIATE_TEST_SUITE_P(
    Rules, FiniteDifferenceStep,
    ::testing::Values(
        StepCase{"small_value", 0.5, -DBL_MAX, DBL_MAX, 0.5 + 1e-6, -3.0, 2},
        StepCase{"relative_beyond_one", -2000.0, -DBL_MAX, DBL_MAX, -2000.0 + 2000.0 * 1e-6, -3.0,
                 2},
        StepCase{"turned_at_the_upper_bound", 0.5, 0.0, 0.5 + Tiny, 0.5 - 1e-6, -3.0, 2},
        StepCase{"to_the_roomier_bound", 0.5, 0.5 - Tiny, 0.5 + Tiny / 2, 0.5 - Tiny, -3.0, 2},
        StepCase{"to_the_upper_bound_on_a_tie", 0.5, 0.5 - Tiny, 0.5 + Tiny, 0.5 + Tiny, -3.0, 2},
        StepCase{"zero_step_gives_zero", 0.5, 0.5, 0.5, 0.5, 0.0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FiniteDifferences, ATooSmallStepIsHeldToTheClampWithTheQuotientsSign) {
    struct Case {
        ScriptedRoutine::Value jump;
        std::uint64_t bits;
    };
    const Case cases[] = {
        {[](double x, double, double) { return x > 0 ? 1.0 : 0.0; }, 0xFFEFFFFFFFFFFFE2u}, // -clamp
        {[](double x, double, double) { return x > 0 ? -1.0 : 0.0; }, 0x7FEFFFFFFFFFFFE2u}};
    for (const Case& c : cases) {
        ScriptedRoutine routine(c.jump);
        InterpolationCall call(0.0, Steps, 1);
        for (auto* entries : {&call.xs, &call.ys})
            for (QV_REALVARIABLE& v : *entries)
                v.UserSet(v.Real());
        call.point.SetBounds(0.0, 1e-310); // the step shrinks to the upper bound
        Differenced p("QVTestRoutines", "SCRIPT");
        const Evaluation e = ListAndEvaluate(p, call);
        EXPECT_EQ(routine.points.back(), 1e-310);
        EXPECT_EQ(Bits(e.jacobian[1]), c.bits) << e.jacobian[1];
    }
    EXPECT_EQ(Bits(1.79769313486231e308), 0x7FEFFFFFFFFFFFE2u);
    EXPECT_LT(1.79769313486231e308, DBL_MAX);
}

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
    const Evaluation e = ListAndEvaluate(p, call);
    ASSERT_EQ(e.jacobian.size(), 10u);
    EXPECT_EQ(routine.points.size(), 1u + 8u) << "the residual's, then every free input but one";
    EXPECT_NEAR(e.jacobian[1], -3.0, 1e-6);
    EXPECT_NEAR(e.jacobian[2], -5.0, 1e-6);
    EXPECT_EQ(e.jacobian[3], 0.0) << "excluded";
    for (std::size_t k = 4; k < 10; ++k)
        EXPECT_EQ(e.jacobian[k], 0.0) << "no dependence";
}

TEST(FiniteDifferences, AFailedPerturbedCallLeavesItsOwnColumnZero) {
    // Fails only when the first abscissa has been moved: the later columns keep their places.
    ScriptedRoutine routine(
        [](double x, double a, double y) { return 3.0 * x + 5.0 * a + 7.0 * y; },
        [](double, double a) { return a != 0.0; });
    InterpolationCall call(0.5, Steps, 1);
    for (std::size_t k = 1; k < call.xs.size(); ++k)
        call.xs[k].UserSet(call.xs[k].Real());
    for (QV_REALVARIABLE& v : call.ys)
        v.UserSet(v.Real());
    call.ys[2].Unfix();
    Differenced p("QVTestRoutines", "SCRIPT");
    const Evaluation e = ListAndEvaluate(p, call);
    EXPECT_EQ(e.jacobianStatus, QV_ProcedureType::StatusRoutineFailed);
    ASSERT_EQ(e.jacobian.size(), 4u) << "the output, the point, the first abscissa, one ordinate";
    EXPECT_NEAR(e.jacobian[1], -3.0, 1e-6);
    EXPECT_EQ(e.jacobian[2], 0.0) << "its call failed";
    EXPECT_NEAR(e.jacobian[3], -7.0, 1e-6) << "the ordinate's own column, not shifted left";
    EXPECT_EQ(call.xs[0].Real(), 0.0) << "restored after the failed call";
    int index = 0;
    double residual = 0;
    EXPECT_EQ(p.Residuals(&residual, index), 0) << "the failed call stands no more";
    const std::size_t calls = routine.points.size();
    std::vector<double> again(e.jacobian.size());
    index = 0;
    EXPECT_EQ(p.Jacobian(again.data(), index), QV_ProcedureType::StatusRoutineFailed)
        << "the incomplete row is never served as a success";
    EXPECT_EQ(routine.points.size(), calls + 3) << "the three free inputs moved again";
}

} // namespace
} // namespace norvane::test
