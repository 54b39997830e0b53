// Bad input reaches the routine or the host and comes back as a failure status: nothing is
// written for the residual, and the routine's failure flag says what was wrong.
#include <limits>

#include "tests/procedure/procedure_fixture.h"
#include "tests/procedure/test_procedures.h"

namespace norvane::test {
namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();

struct BadCase {
    const char* name;
    double x;
    Table table;
    int mode;
    int dropLastOrdinate; // 1: the ordinates are one shorter than the abscissae
    int failureFlag;
};

class InterpolateBadInput : public ::testing::TestWithParam<BadCase> {};

TEST_P(InterpolateBadInput, GivesAFailureStatusAndWritesNothing) {
    const BadCase& c = GetParam();
    const long live = qvhost::LiveBlocks();
    {
        InterpolationCall call(c.x, c.table, c.mode);
        if (c.dropLastOrdinate) call.ys.pop_back();
        QV_ModelTypeEx owner;
        auto* p = new QVProc_INTERPOLATE(false, 0);
        call.ListBoth(*p);
        const Evaluation e = Evaluate(*p, owner);
        EXPECT_EQ(e.residualStatus, QV_ProcedureType::StatusRoutineFailed);
        EXPECT_EQ(p->LastFailureFlag(), c.failureFlag);
        EXPECT_TRUE(std::isnan(e.residuals[0])) << "no residual is written";
        EXPECT_EQ(e.jacobianStatus, QV_ProcedureType::StatusRoutineFailed);
        EXPECT_EQ(e.jacobian[0], 1.0) << "the rows are written from the (zero) storage";
        for (std::size_t k = 1; k < e.jacobian.size(); ++k)
            EXPECT_EQ(e.jacobian[k], 0.0) << k;
        p->Release();
    }
    EXPECT_EQ(qvhost::LiveBlocks(), live);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, InterpolateBadInput,
    ::testing::Values(BadCase{"one_point", 0.0, {{0, 1}}, 1, 0, 2},
                      BadCase{"no_point", 0.0, {}, 1, 0, 2},
                      BadCase{"unequal_lengths", 0.5, {{0, 1}, {1, 2}, {2, 3}}, 1, 1, 3},
                      BadCase{"abscissae_decreasing", 0.5, {{0, 1}, {2, 2}, {1, 3}}, 1, 0, 4},
                      BadCase{"abscissae_repeated", 0.5, {{0, 1}, {1, 2}, {1, 3}}, 1, 0, 4},
                      BadCase{"point_not_a_number", NaN, {{0, 1}, {1, 2}}, 1, 0, 5},
                      BadCase{"entry_not_a_number", 0.5, {{0, 1}, {1, NaN}}, 1, 0, 5},
                      BadCase{"abscissa_infinite",
                              0.5,
                              {{0, 1}, {std::numeric_limits<double>::infinity(), 2}},
                              1,
                              0,
                              5},
                      BadCase{"value_beyond_the_range", 3.0, {{0, 0}, {1, 1e308}}, 1, 0, 10},
                      BadCase{"mode_negative", 0.5, {{0, 1}, {1, 2}}, -1, 0, 6},
                      BadCase{"mode_three", 0.5, {{0, 1}, {1, 2}}, 3, 0, 6},
                      BadCase{"outside_under_mode_0", 1.5, {{0, 1}, {1, 2}}, 0, 0, 7}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InterpolateBadInput, MissingLibraryOrRoutineIsNeverCalled) {
    struct Case {
        const char* library;
        const char* routine;
        int status;
    };
    for (const Case& c : {Case{"QVNoSuchLibrary", "INTERP", QV_ProcedureType::StatusLibraryMissing},
                          Case{"QVNorvane", "NOSUCH", QV_ProcedureType::StatusRoutineMissing}}) {
        InterpolationCall call(0.5, {{0, 1}, {1, 2}}, 1);
        QV_COMPONENTLISTNAME components;
        QV_ModelTypeEx owner;
        WithDerivatives p(c.library, c.routine);
        p.SetComponentList(&components);
        call.ListBoth(p);
        const Evaluation e = Evaluate(p, owner);
        EXPECT_EQ(e.residualStatus, c.status) << c.library << " " << c.routine;
        EXPECT_TRUE(std::isnan(e.residuals[0]));
        EXPECT_EQ(p.LastFailureFlag(), 1) << "the flag stays as it was set before the call";
        EXPECT_EQ(components.OpenPropertiesCalls(), 0) << "every bracket is closed";
    }
}

} // namespace
} // namespace norvane::test
