// Tables at the edges of the double range, driven through the procedure: the value and the
// derivatives are those of the table, not of a difference that overflowed on the way, and a
// derivative beyond the double range is held at the largest double of its sign.
#include <cfloat>

#include "tests/procedure/procedure_fixture.h"

namespace norvane::test {
namespace {

const double Tiny = 4.9406564584124654e-324; // the smallest subnormal

struct RangeCase {
    const char* name;
    double x;
    Table table;
    double interpolated;
    std::vector<double> row; // 1.0, then the point, the abscissae and the ordinates
};

class InterpolateRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(InterpolateRange, ValueAndRowAreTheTables) {
    const RangeCase& c = GetParam();
    const long live = qvhost::LiveBlocks();
    {
        InterpolationCall call(c.x, c.table, 0);
        call.output.SetCurrentValue(0.0);
        QV_ModelTypeEx owner;
        auto* p = new QVProc_INTERPOLATE(false, 0);
        call.ListBoth(*p);
        const Evaluation e = Evaluate(*p, owner);
        ASSERT_EQ(e.residualStatus, 0) << QV_ProcedureType::StatusText(e.residualStatus);
        EXPECT_DOUBLE_EQ(-e.residuals[0], c.interpolated);
        ASSERT_EQ(e.jacobianStatus, 0);
        ASSERT_EQ(e.jacobian.size(), c.row.size());
        for (std::size_t k = 0; k < c.row.size(); ++k)
            EXPECT_LE(std::fabs(e.jacobian[k] - c.row[k]), 1e-12 * std::fabs(c.row[k]) + 1e-320)
                << "entry " << k << ": " << e.jacobian[k];
        p->Release();
    }
    EXPECT_EQ(qvhost::LiveBlocks(), live);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, InterpolateRange,
    ::testing::Values(
        // The abscissae's difference overflows: the weight is 0.75, not 0.
        RangeCase{"abscissae_spanning_the_range",
                  0.5e308,
                  {{-1e308, 0.0}, {1e308, 4e10}},
                  3e10,
                  {1.0, -2e-298, 5e-299, 1.5e-298, -0.25, -0.75}},
        // The ordinates' difference overflows: the value is a double all the same.
        RangeCase{"ordinates_spanning_the_range",
                  0.75,
                  {{0.0, -1e308}, {1.0, 1e308}},
                  0.5e308,
                  {1.0, -DBL_MAX, 5e307, 1.5e308, -0.25, -0.75}},
        // A slope beyond the double range, at the segment's right end: the left abscissa's
        // derivative is 0 (not the product of an infinite slope and 0), the others held.
        RangeCase{"abscissae_a_subnormal_step_apart",
                  Tiny,
                  {{0.0, 0.0}, {Tiny, 1.0}},
                  1.0,
                  {1.0, -DBL_MAX, 0.0, DBL_MAX, 0.0, -1.0}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace norvane::test
