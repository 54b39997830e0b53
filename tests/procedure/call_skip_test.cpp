// When the routine runs: counted at the routine itself. A residual or Jacobian evaluation
// with unchanged inputs, while the host's latest call stands, packs the inputs and calls
// nothing; a changed input, AlwaysCall, a pre-call or a rejected latest call run it.
#include "tests/procedure/procedure_fixture.h"

namespace norvane::test {
namespace {

class CallSkip : public ::testing::Test {
protected:
    void SetUp() override {
        call.ListBoth(p);
        p.SetComponentList(&components);
        Evaluate(p);
    }
    void TearDown() override { QV_ProcedureType::SetAlwaysCall(false); }
    // Residuals, then Jacobian: the routine calls they made; `value` and `row` what they gave.
    int Evaluations() {
        const int before = recorder.calls;
        value = Residual(p);
        int index = 0;
        p.Jacobian(row, index);
        return recorder.calls - before;
    }

    RoutineRecorder recorder;
    InterpolationCall call{2.5, Steps, 1};
    QV_COMPONENTLISTNAME components;
    QVProc_INTERPOLATE p{false, 0};
    double value = 0;
    double row[10] = {};
};

TEST_F(CallSkip, AChangedInputCallsOnceAndNothingElseCalls) {
    EXPECT_EQ(recorder.calls, 2)
        << "Precall, then Residuals (the Jacobian finds the call standing)";
    EXPECT_EQ(components.PropertiesCalls(), 2);
    EXPECT_EQ(components.OpenPropertiesCalls(), 0);
    EXPECT_EQ(Evaluations(), 0);
    EXPECT_EQ(value, -3.375) << "the outputs of the standing call";
    call.output.SetCurrentValue(1.0);
    EXPECT_EQ(Evaluations(), 0) << "the output is no input";
    EXPECT_EQ(value, 1.0 - 3.375);
    call.ys[3].SetCurrentValue(6.0);
    EXPECT_EQ(Evaluations(), 1);
    EXPECT_EQ(value, 1.0 - 3.75);
    call.point.SetCurrentValue(0.0);
    EXPECT_EQ(Evaluations(), 1);
    EXPECT_EQ(row[1], -2.0) << "the slope of the new point's segment, negated";
    call.point.SetCurrentValue(-0.0);
    EXPECT_EQ(Evaluations(), 0) << "a signed zero is no change";
    call.xs[1].SetCurrentValue(5.0); // the abscissae no longer increase: the routine fails
    EXPECT_EQ(Evaluations(), 2);
    EXPECT_EQ(Evaluations(), 2) << "a rejected call leaves no call standing";
}

TEST_F(CallSkip, AlwaysCallAndPreCall) {
    QV_ProcedureType::SetAlwaysCall(true);
    EXPECT_EQ(Evaluations(), 2);
    QV_ProcedureType::SetAlwaysCall(false);
    EXPECT_EQ(p.Precall(true), 0);
    EXPECT_EQ(recorder.callType, 1);
    EXPECT_EQ(Evaluations(), 1) << "a pre-call gives no derivatives";
    EXPECT_EQ(recorder.callType, 4);
    const int calls = recorder.calls;
    EXPECT_EQ(p.Precall(true), 0);
    EXPECT_EQ(p.Precall(true), 0);
    EXPECT_EQ(recorder.calls, calls + 1) << "the pre-call stands as the latest call";
}

} // namespace
} // namespace norvane::test
