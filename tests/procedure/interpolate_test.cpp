// The interpolation procedure driven through its whole life on a host model: its equation, its
// layout, the residual (the output variable minus the interpolated value) and the Jacobian row,
// inside the table and outside it under each mode, at the edges of the double range, and the
// failures that bad input brings.
#include <cfloat>
#include <cstdint>
#include <limits>

#include "tests/procedure/procedure_fixture.h"
#include "tests/procedure/test_procedures.h"

namespace norvane::test {
namespace {

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
    InterpolationCall call(c.x, Steps, c.mode);
    call.output.SetCurrentValue(10.0);
    for (int k : c.fixedX)
        call.xs[k].UserSet(Steps[k].first);
    for (int k : c.fixedY)
        call.ys[k].UserSet(Steps[k].second);
    if (c.pointFixed) call.point.UserSet(c.x);
    QV_ModelTypeEx owner;
    QVProc_INTERPOLATE p(false, 3);
    call.ListBoth(p);
    const Evaluation e = Evaluate(p, &owner);

    const std::vector<QV_REALVARIABLE*> row = call.RowVariables();
    ASSERT_EQ(e.made, 1);
    EXPECT_STREQ(owner.EquationName(0), "[1]");
    EXPECT_EQ(owner.EquationProcedure(0), &p);
    EXPECT_EQ(owner.ProcCall(0), &p);
    ASSERT_EQ(e.nonZeros, static_cast<int>(row.size()));
    ASSERT_EQ(owner.TokenCount(0), e.nonZeros) << "one term per Jacobian entry";
    for (int t = 0; t < e.nonZeros; ++t)
        EXPECT_EQ(owner.Token(0, t).variable, row[static_cast<std::size_t>(t)]) << t;

    ASSERT_EQ(e.residualStatus, 0) << QV_ProcedureType::StatusText(e.residualStatus);
    EXPECT_NEAR(e.residuals[0], 10.0 - c.interpolated, 1e-12);
    ASSERT_EQ(e.jacobianStatus, 0);
    const std::vector<double> differences = ResidualDifferences(p, row);
    for (std::size_t k = 0; k < row.size(); ++k)
        EXPECT_NEAR(e.jacobian[k], differences[k], 1e-6 * std::max(1.0, std::fabs(differences[k])))
            << "entry " << k;
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
    CaseName);

TEST(InterpolateRoad, ModeAsAnIntegerParameterIsAnInputWithoutAColumn) {
    InterpolationCall call(9.0, Steps, 0);
    QV_INTEGERPARAMETER mode;
    mode.UserSet(1);
    call.modeVariable = &mode;
    QVProc_INTERPOLATE p(false, 0);
    call.ListBoth(p);
    const Evaluation e = Evaluate(p);
    EXPECT_EQ(e.nonZeros, 10) << "the output and nine free inputs; the mode is no solver variable";
    EXPECT_NEAR(e.residuals[0], -(4.5 + 5 * 0.75), 1e-12) << "mode 1 extrapolates";
}

// Vectors of three: the arguments start at words 0, 1, 4, 7 and 8 of a buffer of 9 words,
// and the routine sees the two lengths, the offsets and a dense derivative pattern.
TEST(InterpolateLayout, VectorsOfThreeGiveTheWorkedLayout) {
    RoutineRecorder recorder;
    InterpolationCall call(0.5, {{0, 1}, {1, 2}, {2, 4}}, 0);
    QVProc_INTERPOLATE p(true, 7);
    EXPECT_TRUE(p.ModeFlag()) << "the constructor hands its arguments to SetMode";
    EXPECT_EQ(p.Mode(), 7);
    call.ListBoth(p);
    EXPECT_EQ(p.ValueWords(), 9);
    EXPECT_EQ(p.DerivativeCount(), 8) << "one output by eight input values";
    Evaluate(p);
    EXPECT_EQ(recorder.inputDims, std::vector<int>({3, 3}));
    EXPECT_EQ(recorder.inputOffsets, std::vector<int>({0, 1, 4, 7}));
    EXPECT_EQ(recorder.outputOffsets, std::vector<int>({8}));
    EXPECT_EQ(recorder.rows, std::vector<int>(8, 1));
    EXPECT_EQ(recorder.cols, std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(recorder.callType, 4) << "residuals too are asked with derivatives";
}

// Tables of two points at the edges of the double range: the value is the table's exactly where
// that is a double, however far the entries lie from it or from each other, the derivatives are
// the table's, not of a difference that overflowed on the way, and a derivative beyond the
// double range is held at the largest double of its sign.
struct RangeCase {
    const char* name;
    double x, x0, y0, x1, y1;
    double interpolated;
    double dx, dx0, dx1, dy0, dy1; // the row's entries after the output's 1.0
};

class InterpolateRange : public ::testing::TestWithParam<RangeCase> {};

void ExpectTheTables(const RangeCase& c) {
    InterpolationCall call(c.x, {{c.x0, c.y0}, {c.x1, c.y1}}, 0);
    call.output.SetCurrentValue(0.0);
    QVProc_INTERPOLATE p(false, 0);
    call.ListBoth(p);
    const Evaluation e = Evaluate(p);
    ASSERT_EQ(e.residualStatus, 0) << QV_ProcedureType::StatusText(e.residualStatus);
    EXPECT_EQ(-e.residuals[0], c.interpolated);
    ASSERT_EQ(e.jacobianStatus, 0);
    const std::vector<double> row{1.0, c.dx, c.dx0, c.dx1, c.dy0, c.dy1};
    ASSERT_EQ(e.jacobian.size(), row.size());
    for (std::size_t k = 0; k < row.size(); ++k)
        EXPECT_LE(std::fabs(e.jacobian[k] - row[k]), 1e-12 * std::fabs(row[k]) + 1e-320)
            << "entry " << k << ": " << e.jacobian[k];
}

TEST_P(InterpolateRange, ValueAndRowAreTheTables) {
    ExpectTheTables(GetParam());
}

#if defined(__i386__) || defined(__x86_64__)
// A host may leave the x87 unit rounding to double precision, as many do on Windows: the
// routine's extended-precision steps give the same value and row, and the host finds its own
// rounding again after the call.
TEST_P(InterpolateRange, AlsoWhenTheHostRoundsToDoublePrecision) {
    std::uint16_t saved = 0;
    asm volatile("fnstcw %0" : "=m"(saved));
    const std::uint16_t doublePrecision = (saved & ~0x300) | 0x200;
    asm volatile("fldcw %0" : : "m"(doublePrecision));
    ExpectTheTables(GetParam());
    std::uint16_t after = 0;
    asm volatile("fnstcw %0" : "=m"(after));
    asm volatile("fldcw %0" : : "m"(saved));
    EXPECT_EQ(after, doublePrecision) << "the routine gives the host its own rounding back";
}
#endif

const double Tiny = 4.9406564584124654e-324; // the smallest subnormal

const RangeCase RangeCases[] = {
    // The abscissae's difference overflows: the weight is 0.75, not 0.
    {"abscissae_spanning_the_range", 0.5e308, -1e308, 0, 1e308, 4e10, 3e10, -2e-298, 5e-299,
     1.5e-298, -0.25, -0.75},
    // The ordinates' difference overflows: the value is a double all the same.
    {"ordinates_spanning_the_range", 0.75, 0, -1e308, 1, 1e308, 0.5e308, -DBL_MAX, 5e307, 1.5e308,
     -0.25, -0.75},
    // A slope beyond the double range, at the segment's right end: the left abscissa's
    // derivative is 0 (not the product of an infinite slope and 0), the others held.
    {"abscissae_a_subnormal_step_apart", Tiny, 0, 0, Tiny, 1, 1, -DBL_MAX, 0, DBL_MAX, 0, -1},
    // y = x over entries far larger than the point: 3, not the 0 of a weight 1/2 times a rise
    // of 2e20.
    {"y_equals_x_over_1e20", 3, -1e20, -1e20, 1e20, 1e20, 3, -1, 0.5, 0.5, -0.5, -0.5},
    // Every product is inexact: the end value all the same.
    {"table_end_of_short_decimals", 0.2, 0.1, 0.1, 0.2, 0.2, 0.2, -1, 0, 1, 0, -1},
    {"y_equals_x_over_the_range", 3, -1e308, -1e308, 1e308, 1e308, 3, -1, 0.5, 0.5, -0.5, -0.5}};
INSTANTIATE_TEST_SUITE_P(Edges, InterpolateRange, ::testing::ValuesIn(RangeCases), CaseName);

// Bad input reaches the routine and comes back as a failure status: no residual is written,
// the Jacobian row is 1.0 and zeros, and the routine's failure flag says what was wrong. A
// routine that cannot be found is never called: the flag stays as it was set before the call.
struct BadCase {
    const char* name;
    double x;
    Table table;
    int mode;
    bool dropLastOrdinate; // the ordinates one shorter than the abscissae
    int failureFlag;
    int status = QV_ProcedureType::StatusRoutineFailed;
    const char* library = "QVNorvane";
    const char* routine = "INTERP";
};

class InterpolateBadInput : public ::testing::TestWithParam<BadCase> {};

TEST_P(InterpolateBadInput, GivesAFailureStatusAndWritesNothing) {
    const BadCase& c = GetParam();
    InterpolationCall call(c.x, c.table, c.mode);
    if (c.dropLastOrdinate) call.ys.pop_back();
    QV_COMPONENTLISTNAME components;
    WithDerivatives p(c.library, c.routine);
    p.SetComponentList(&components);
    call.ListBoth(p);
    const Evaluation e = Evaluate(p);
    EXPECT_EQ(e.residualStatus, c.status);
    EXPECT_EQ(p.LastFailureFlag(), c.failureFlag);
    EXPECT_TRUE(std::isnan(e.residuals[0]));
    EXPECT_EQ(e.jacobianStatus, c.status);
    for (std::size_t k = 0; k < e.jacobian.size(); ++k)
        EXPECT_EQ(e.jacobian[k], k == 0 ? 1.0 : 0.0) << k;
    EXPECT_EQ(components.OpenPropertiesCalls(), 0) << "every bracket is closed";
}

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();
const Table Two = {{0, 1}, {1, 2}};

const BadCase BadCases[] = {
    {"one_point", 0.0, {{0, 1}}, 1, false, 2},
    {"no_point", 0.0, {}, 1, false, 2},
    {"unequal_lengths", 0.5, {{0, 1}, {1, 2}, {2, 3}}, 1, true, 3},
    {"abscissae_decreasing", 0.5, {{0, 1}, {2, 2}, {1, 3}}, 1, false, 4},
    {"abscissae_repeated", 0.5, {{0, 1}, {1, 2}, {1, 3}}, 1, false, 4},
    {"point_not_a_number", NaN, Two, 1, false, 5},
    {"entry_not_a_number", 0.5, {{0, 1}, {1, NaN}}, 1, false, 5},
    {"abscissa_infinite", 0.5, {{0, 1}, {Inf, 2}}, 1, false, 5},
    {"value_beyond_the_range", 3.0, {{0, 0}, {1, 1e308}}, 1, false, 10},
    {"mode_negative", 0.5, Two, -1, false, 6},
    {"mode_three", 0.5, Two, 3, false, 6},
    {"outside_under_mode_0", 1.5, Two, 0, false, 7},
    {"no_library", 0.5, Two, 1, false, 1, QV_ProcedureType::StatusLibraryMissing, "QVNoSuch"},
    {"no_routine", 0.5, Two, 1, false, 1, QV_ProcedureType::StatusRoutineMissing, "QVNorvane",
     "NOSUCH"}};
INSTANTIATE_TEST_SUITE_P(Tables, InterpolateBadInput, ::testing::ValuesIn(BadCases), CaseName);

} // namespace
} // namespace norvane::test
