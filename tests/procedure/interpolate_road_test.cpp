// The interpolation procedure driven through its whole life on a host model: the residual is
// the output variable minus the interpolated value, and the Jacobian row agrees with finite
// differences of the residual, inside the table and outside it under each mode.
#include "tests/procedure/procedure_fixture.h"

namespace norvane::test {
namespace {

const Table Steps = {{0.0, 0.0}, {1.0, 2.0}, {2.0, 3.0}, {4.0, 4.5}};

struct RoadCase {
    const char* name;
    double x;
    int mode;
    double interpolated;
    std::vector<int> fixedX, fixedY; // table entries that are not solver variables
    bool pointFixed;
};

class InterpolateRoad : public ::testing::TestWithParam<RoadCase> {};

TEST_P(InterpolateRoad, ResidualAndJacobianRowAgreeWithFiniteDifferences) {
    const RoadCase& c = GetParam();
    const long live = qvhost::LiveBlocks();
    {
        InterpolationCall call(c.x, Steps, c.mode);
        call.output.SetCurrentValue(10.0);
        for (int k : c.fixedX)
            call.xs[k].UserSet(Steps[k].first);
        for (int k : c.fixedY)
            call.ys[k].UserSet(Steps[k].second);
        if (c.pointFixed) call.point.UserSet(c.x);
        QV_ModelTypeEx owner;
        auto* p = new QVProc_INTERPOLATE(false, 3);
        call.ListBoth(*p);
        const Evaluation e = Evaluate(*p, owner);

        const std::vector<QV_REALVARIABLE*> row = call.RowVariables();
        ASSERT_EQ(e.equations, 1);
        ASSERT_EQ(e.nonZeros, static_cast<int>(row.size()));
        ASSERT_EQ(owner.EquationCount(), 1);
        EXPECT_STREQ(owner.EquationName(0), "[1]");
        EXPECT_EQ(owner.EquationProcedure(0), p);
        ASSERT_EQ(owner.TokenCount(0), e.nonZeros) << "one term per Jacobian entry";
        for (int t = 0; t < e.nonZeros; ++t)
            EXPECT_EQ(owner.Token(0, t).variable, row[static_cast<std::size_t>(t)]) << t;
        ASSERT_EQ(owner.ProcCallCount(), 1);
        EXPECT_EQ(owner.ProcCall(0), p);

        ASSERT_EQ(e.residualStatus, 0) << QV_ProcedureType::StatusText(e.residualStatus);
        EXPECT_NEAR(e.residuals[0], 10.0 - c.interpolated, 1e-12);
        ASSERT_EQ(e.jacobianStatus, 0);
        const std::vector<double> differences = ResidualDifferences(*p, row);
        for (std::size_t k = 0; k < row.size(); ++k)
            EXPECT_NEAR(e.jacobian[k], differences[k],
                        1e-6 * std::max(1.0, std::fabs(differences[k])))
                << "entry " << k;
        EXPECT_EQ(e.jacobian[0], 1.0);
        p->Release();
    }
    EXPECT_EQ(qvhost::LiveBlocks(), live) << "the procedure, its storage and its equation";
}

INSTANTIATE_TEST_SUITE_P(
    Points, InterpolateRoad,
    ::testing::Values(RoadCase{"inside", 2.5, 0, 3.375, {}, {}, false},
                      RoadCase{"inside_first_segment", 0.25, 0, 0.5, {}, {}, false},
                      RoadCase{"below_extrapolated", -0.5, 1, -1.0, {}, {}, false},
                      RoadCase{"above_extrapolated", 5.0, 1, 5.25, {}, {}, false},
                      RoadCase{"below_held", -0.5, 2, 0.0, {}, {}, false},
                      RoadCase{"above_held", 7.0, 2, 4.5, {}, {}, false},
                      RoadCase{"some_entries_fixed", 1.5, 0, 2.5, {1, 3}, {0}, false},
                      RoadCase{"point_fixed", 3.0, 1, 3.75, {}, {2}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InterpolateRoad, ModeAsAnIntegerParameterIsAnInputWithoutAColumn) {
    InterpolationCall call(2.5, Steps, 0);
    QV_INTEGERPARAMETER mode;
    mode.UserSet(1);
    call.modeVariable = &mode;
    QV_ModelTypeEx owner;
    auto* p = new QVProc_INTERPOLATE(false, 0);
    call.ListBoth(*p);
    const Evaluation e = Evaluate(*p, owner);
    EXPECT_EQ(p->InputElementCount(), 10);
    EXPECT_EQ(p->InputValueCount(), 10);
    EXPECT_EQ(e.nonZeros, 10) << "the output and nine free inputs; the mode is no solver variable";
    EXPECT_EQ(e.residualStatus, 0);
    call.point.SetCurrentValue(9.0); // outside: mode 1 extrapolates
    int index = 0;
    double residual = 0;
    EXPECT_EQ(p->Residuals(&residual, index), 0);
    EXPECT_NEAR(residual, 0.0 - (4.5 + 5 * 0.75), 1e-12);
    p->Release();
}

TEST(InterpolateRoad, AStructureOwnsTheEquationAsAModelDoes) {
    InterpolationCall call(2.5, Steps, 1);
    QV_StructureTypeEx structure;
    QVProc_INTERPOLATE p(false, 0);
    call.ListBoth(p);
    int equations = 10;
    EXPECT_EQ(p.NZAndEqnContribution(&structure, 5, equations), 10);
    EXPECT_EQ(equations, 11) << "added to";
    EXPECT_EQ(structure.StructureGroup(0), 5);
    int* rows = nullptr;
    int* cols = nullptr;
    int counter = 4;
    p.CreateEquationsAndSetGroup(5, 0, rows, cols, counter, &structure, "", 0);
    EXPECT_EQ(counter, 5);
    EXPECT_STREQ(structure.EquationName(4), "[1]");
    EXPECT_EQ(structure.EquationGroup(4), 5);
    EXPECT_EQ(structure.EquationProcedureOutput(4), 1);
    ASSERT_EQ(structure.ProcCallCount(), 1);
    EXPECT_EQ(structure.ProcCallGroup(0), 5);
}

// Vectors of three: the arguments start at words 0, 1, 4, 7 and 8 of a buffer of 9 words,
// and the routine sees the two lengths, the offsets and a dense derivative pattern.
TEST(InterpolateLayout, VectorsOfThreeGiveTheWorkedLayout) {
    RoutineRecorder recorder;
    InterpolationCall call(0.5, {{0, 1}, {1, 2}, {2, 4}}, 0);
    QV_ModelTypeEx owner;
    auto* p = new QVProc_INTERPOLATE(false, 0);
    call.ListBoth(*p);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(p->GetOffset(i), std::vector<int>({0, 1, 4, 7, 8})[static_cast<std::size_t>(i)]);
    EXPECT_EQ(p->GetOffsets(4), p->GetOffsets(0) + 4);
    EXPECT_EQ(p->OutputOffset(), 8);
    EXPECT_EQ(p->ValueWords(), 9);
    EXPECT_EQ(p->DerivativeCount(), 8) << "one output by eight input values";
    Evaluate(*p, owner);
    EXPECT_EQ(recorder.inputDims, std::vector<int>({3, 3}));
    EXPECT_EQ(recorder.inputOffsets, std::vector<int>({0, 1, 4, 7}));
    EXPECT_EQ(recorder.outputOffsets, std::vector<int>({8}));
    EXPECT_EQ(recorder.rows, std::vector<int>(8, 1));
    EXPECT_EQ(recorder.cols, std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(recorder.callType, 4) << "residuals too are asked with derivatives";
    p->Release();
}

TEST(InterpolateLayout, TheConstructorHandsItsArgumentsToSetMode) {
    QVProc_INTERPOLATE p(true, 7);
    EXPECT_TRUE(p.ModeFlag());
    EXPECT_EQ(p.Mode(), 7);
}

} // namespace
} // namespace norvane::test
