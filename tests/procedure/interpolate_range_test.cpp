// Tables at the edges of the double range, driven through the procedure: the value is the
// table's exactly where that is a double, however far the entries lie from it or from each
// other, the derivatives are the table's, not of a difference that overflowed on the way, and
// a derivative beyond the double range is held at the largest double of its sign.
#include <cfloat>
#include <cstdint>

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

void ExpectTheTables(const RangeCase& c) {
    const long live = qvhost::LiveBlocks();
    {
        InterpolationCall call(c.x, c.table, 0);
        call.output.SetCurrentValue(0.0);
        QV_ModelTypeEx owner;
        auto* p = new QVProc_INTERPOLATE(false, 0);
        call.ListBoth(*p);
        const Evaluation e = Evaluate(*p, owner);
        ASSERT_EQ(e.residualStatus, 0) << QV_ProcedureType::StatusText(e.residualStatus);
        EXPECT_EQ(-e.residuals[0], c.interpolated);
        ASSERT_EQ(e.jacobianStatus, 0);
        ASSERT_EQ(e.jacobian.size(), c.row.size());
        for (std::size_t k = 0; k < c.row.size(); ++k)
            EXPECT_LE(std::fabs(e.jacobian[k] - c.row[k]), 1e-12 * std::fabs(c.row[k]) + 1e-320)
                << "entry " << k << ": " << e.jacobian[k];
        p->Release();
    }
    EXPECT_EQ(qvhost::LiveBlocks(), live);
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
                  {1.0, -DBL_MAX, 0.0, DBL_MAX, 0.0, -1.0}},
        // y = x over entries far larger than the point: 3, not the 0 of a weight 1/2 times
        // a rise of 2e20.
        RangeCase{"y_equals_x_over_1e20",
                  3.0,
                  {{-1e20, -1e20}, {1e20, 1e20}},
                  3.0,
                  {1.0, -1.0, 0.5, 0.5, -0.5, -0.5}},
        // Every product is inexact: the end value all the same.
        RangeCase{"table_end_of_short_decimals",
                  0.2,
                  {{0.1, 0.1}, {0.2, 0.2}},
                  0.2,
                  {1.0, -1.0, 0.0, 1.0, 0.0, -1.0}},
        RangeCase{"y_equals_x_over_the_range",
                  3.0,
                  {{-1e308, -1e308}, {1e308, 1e308}},
                  3.0,
                  {1.0, -1.0, 0.5, 0.5, -0.5, -0.5}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace norvane::test
