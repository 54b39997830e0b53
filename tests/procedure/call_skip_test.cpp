// When the routine runs: counted at the routine itself. A residual or Jacobian evaluation
// with unchanged inputs, while the host's latest call stands, packs the inputs and calls
// nothing; a changed input, AlwaysCall, a pre-call or a rejected latest call run it.
#include <limits>

#include "tests/procedure/procedure_fixture.h"

namespace norvane::test {
namespace {

class CallSkip : public ::testing::Test {
protected:
    void SetUp() override {
        call.ListBoth(*p);
        p->SetComponentList(&components);
        Evaluate(*p, owner);
        calls = recorder.calls;
    }
    void TearDown() override {
        p->Release();
        QV_ProcedureType::SetAlwaysCall(false);
    }
    // Routine calls made by `step`.
    template <class Step> int CallsOf(Step step) {
        const int before = recorder.calls;
        step();
        return recorder.calls - before;
    }
    int Residual(double& value) {
        int index = 0;
        return p->Residuals(&value, index);
    }

    RoutineRecorder recorder;
    InterpolationCall call{2.5, {{0, 0}, {1, 2}, {2, 3}, {4, 4.5}}, 1};
    QV_COMPONENTLISTNAME components;
    QV_ModelTypeEx owner;
    QVProc_INTERPOLATE* p = new QVProc_INTERPOLATE(false, 0);
    int calls = 0;
    double value = 0;
    double row[10] = {};
};

TEST_F(CallSkip, TheRoadCallsOnceForThePreCallAndOnceForTheValue) {
    EXPECT_EQ(calls, 2) << "Precall, then Residuals (the Jacobian finds the call standing)";
    EXPECT_EQ(components.PropertiesCalls(), 2);
    EXPECT_EQ(components.OpenPropertiesCalls(), 0);
}

TEST_F(CallSkip, UnchangedInputsCallNothing) {
    EXPECT_EQ(CallsOf([&] { Residual(value); }), 0);
    EXPECT_EQ(CallsOf([&] {
                  int index = 0;
                  EXPECT_EQ(p->Jacobian(row, index), 0);
              }),
              0);
    EXPECT_DOUBLE_EQ(value, -3.375) << "the outputs of the standing call";
    call.output.SetCurrentValue(1.0);
    EXPECT_EQ(CallsOf([&] { Residual(value); }), 0) << "the output is no input";
    EXPECT_DOUBLE_EQ(value, 1.0 - 3.375);
}

TEST_F(CallSkip, AChangedInputCallsOnceThenStandsAgain) {
    call.ys[3].SetCurrentValue(6.0);
    EXPECT_EQ(CallsOf([&] { Residual(value); }), 1);
    EXPECT_DOUBLE_EQ(value, -3.75);
    EXPECT_EQ(CallsOf([&] { Residual(value); }), 0);
    call.point.SetCurrentValue(3.0);
    EXPECT_EQ(CallsOf([&] {
                  int index = 0;
                  p->Jacobian(row, index);
              }),
              1);
    EXPECT_DOUBLE_EQ(row[1], -1.5) << "the slope of the new point's segment, negated";
}

TEST_F(CallSkip, ASignedZeroIsNoChange) {
    call.xs[0].SetCurrentValue(-0.0);
    EXPECT_EQ(CallsOf([&] { Residual(value); }), 0);
}

TEST_F(CallSkip, ANotANumberInputCallsEveryTime) {
    call.point.SetCurrentValue(std::numeric_limits<double>::quiet_NaN());
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(
            CallsOf([&] { EXPECT_EQ(Residual(value), QV_ProcedureType::StatusRoutineFailed); }), 1);
}

TEST_F(CallSkip, ARejectedCallLeavesNoCallStanding) {
    call.point.SetCurrentValue(-7.0);
    call.mode = 0; // listed again below: the constant is what the filling pass gave
    auto* q = new QVProc_INTERPOLATE(false, 0);
    call.ListBoth(*q);
    EXPECT_EQ(CallsOf([&] {
                  int index = 0;
                  EXPECT_EQ(q->Residuals(&value, index), QV_ProcedureType::StatusRoutineFailed);
                  index = 0;
                  EXPECT_EQ(q->Residuals(&value, index), QV_ProcedureType::StatusRoutineFailed);
              }),
              2)
        << "the failed call's outputs are never taken for a result";
    q->Release();
}

TEST_F(CallSkip, AlwaysCallAndPreCall) {
    QV_ProcedureType::SetAlwaysCall(true);
    EXPECT_EQ(CallsOf([&] { Residual(value); }), 1);
    EXPECT_EQ(CallsOf([&] { Residual(value); }), 1);
    QV_ProcedureType::SetAlwaysCall(false);
    EXPECT_EQ(CallsOf([&] { EXPECT_EQ(p->Precall(true), 0); }), 1);
    EXPECT_EQ(recorder.callType, 1);
    EXPECT_EQ(CallsOf([&] { EXPECT_EQ(p->Precall(true), 0); }), 0)
        << "the pre-call stands as the latest call";
    EXPECT_EQ(CallsOf([&] { Residual(value); }), 1) << "a pre-call gives no derivatives";
    EXPECT_EQ(recorder.callType, 4);
}

} // namespace
} // namespace norvane::test
