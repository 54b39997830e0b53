// Copies and release: each object owns its buffers, a copy gets copies of them, and every
// buffer is released exactly once, whatever the order (the allocator counts live blocks).
#include "tests/procedure/procedure_fixture.h"

namespace norvane::test {
namespace {

const Table Steps = {{0.0, 0.0}, {1.0, 2.0}, {2.0, 3.0}};

double Residual(QVProc_INTERPOLATE& p) {
    double residual = 0;
    int index = 0;
    EXPECT_EQ(p.Residuals(&residual, index), 0);
    return residual;
}

TEST(ProcedureCopy, CopiesOwnTheirBuffersAndReleaseThemOnce) {
    const long live = qvhost::LiveBlocks();
    {
        InterpolationCall call(0.5, Steps, 1), other(1.5, Steps, 2);
        auto* source = new QVProc_INTERPOLATE(false, 0);
        auto* target = new QVProc_INTERPOLATE(true, 1);
        call.ListBoth(*source);
        other.ListBoth(*target);
        EXPECT_DOUBLE_EQ(Residual(*source), -1.0);
        EXPECT_DOUBLE_EQ(Residual(*target), -2.5);

        auto* copy = new QVProc_INTERPOLATE(*source);
        EXPECT_EQ(copy->Values()[copy->OutputOffset()], 1.0) << "the buffer copied";
        EXPECT_NE(copy->Values(), source->Values());
        EXPECT_NE(copy->DerivativeMatrix(), source->DerivativeMatrix());
        EXPECT_EQ(copy->DerivativeMatrix()[1], source->DerivativeMatrix()[1]);
        *target = *source;
        *target = *target;
        EXPECT_EQ(target->GetOffset(4), source->GetOffset(4));
        source->Release();
        call.point.SetCurrentValue(0.25);
        EXPECT_DOUBLE_EQ(Residual(*copy), -0.5) << "the copy calls the routine on its own";
        EXPECT_DOUBLE_EQ(Residual(*target), -0.5);
        target->Release();
        copy->Release();
    }
    EXPECT_EQ(qvhost::LiveBlocks(), live);
}

TEST(ProcedureCopy, ACopyMadeBeforeTheListingListsLikeANewObject) {
    const long live = qvhost::LiveBlocks();
    {
        InterpolationCall call(0.5, Steps, 1);
        QVProc_INTERPOLATE fresh(false, 0);
        QVProc_INTERPOLATE copy(fresh);
        call.ListBoth(copy);
        EXPECT_EQ(copy.GetOffset(0), 0);
        EXPECT_DOUBLE_EQ(Residual(copy), -1.0);
    }
    EXPECT_EQ(qvhost::LiveBlocks(), live);
}

} // namespace
} // namespace norvane::test
