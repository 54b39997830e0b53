// Every allocation of a procedure's life refused in turn: the object, the host's storage, the
// routine's record, the derivative pattern, the equation object and a copy's storage. No run
// crashes or leaks, and a run that reports success reports the right residual.
#include <tuple>
#include <vector>

#include "tests/procedure/procedure_fixture.h"

namespace norvane::test {
namespace {

const Table Steps = {{0.0, 0.0}, {1.0, 2.0}, {2.0, 3.0}, {4.0, 4.5}};

// One life; the residual's status and value, or nothing when the object was not made.
struct Life {
    bool made = false;
    int status = 0;
    double residual = 0;
    int copyStatus = 0;
    double copyResidual = 0;
};

Life Live() {
    Life life;
    InterpolationCall call(2.5, Steps, 1);
    QV_ModelTypeEx owner;
    auto* p = new QVProc_INTERPOLATE(false, 0);
    if (!p) return life;
    life.made = true;
    call.ListBoth(*p);
    const Evaluation e = Evaluate(*p, owner);
    life.status = e.residualStatus;
    life.residual = e.residuals.empty() ? 0.0 : e.residuals[0]; // none without storage
    {
        QVProc_INTERPOLATE copy(*p);
        int index = 0;
        double row[16];
        life.copyStatus = copy.Residuals(&life.copyResidual, index);
        index = 0;
        copy.Jacobian(row, index);
    }
    p->Release();
    return life;
}

TEST(ProcedureAllocation, EveryAllocationRefusedInTurn) {
    const Life clean = Live();
    ASSERT_TRUE(clean.made);
    ASSERT_EQ(clean.status, 0);
    ASSERT_EQ(clean.copyStatus, 0);
    int refused = 0;
    for (long k = 1;; ++k) {
        const long live = qvhost::LiveBlocks();
        const long calls = qvhost::AllocationCalls();
        qvhost::FailAllocation(k);
        const Life life = Live();
        qvhost::FailAllocation(0);
        EXPECT_EQ(qvhost::LiveBlocks(), live) << "allocation " << k;
        if (qvhost::AllocationCalls() - calls < k) break; // nothing was refused: all done
        ++refused;
        if (!life.made) continue;
        // A refusal shows as a storage failure or not at all; never as a wrong value.
        for (const auto& [status, residual, expected] :
             {std::tuple(life.status, life.residual, clean.residual),
              std::tuple(life.copyStatus, life.copyResidual, clean.copyResidual)}) {
            if (status >= 0) {
                EXPECT_EQ(residual, expected) << "allocation " << k;
            } else {
                EXPECT_EQ(status, QV_ProcedureType::StatusNoStorage) << "allocation " << k;
            }
        }
    }
    EXPECT_GE(refused, 8) << "the object, four storage blocks, the record, the pattern, ...";
}

// A copy makes the routine's record and the derivative pattern on its first call. Each refused
// there, after the point has moved, must not leave the call of the old point standing: the
// next evaluation calls the routine and gives the new point's value.
TEST(ProcedureAllocation, ARefusedCallLeavesNoOldOutputForNewInputs) {
    for (long k = 1; k <= 3; ++k) {
        const long live = qvhost::LiveBlocks();
        {
            InterpolationCall call(2.5, Steps, 1);
            auto* p = new QVProc_INTERPOLATE(false, 0);
            call.ListBoth(*p);
            double residual = 0;
            int index = 0;
            ASSERT_EQ(p->Residuals(&residual, index), 0);
            auto* copy = new QVProc_INTERPOLATE(*p);
            call.point.SetCurrentValue(3.0);
            qvhost::FailAllocation(k);
            index = 0;
            EXPECT_EQ(copy->Residuals(&residual, index), QV_ProcedureType::StatusNoStorage)
                << "allocation " << k;
            qvhost::FailAllocation(0);
            index = 0;
            EXPECT_EQ(copy->Residuals(&residual, index), 0);
            EXPECT_DOUBLE_EQ(residual, -3.75) << "allocation " << k;
            copy->Release();
            p->Release();
        }
        EXPECT_EQ(qvhost::LiveBlocks(), live);
    }
}

// A host that gives no derivative storage: the procedure makes its own and releases it, and a
// copy or an assignment makes its own again and calls the routine to fill it. Each allocation
// of the first Jacobian refused in turn gives a storage failure, never zeros with status 0.
TEST(ProcedureAllocation, DerivativeStorageWhenTheHostGivesNone) {
    std::vector<double> expected(10), row(10);
    {
        InterpolationCall call(2.5, Steps, 1);
        QVProc_INTERPOLATE p(false, 0);
        call.ListBoth(p);
        int index = 0;
        ASSERT_EQ(p.Jacobian(expected.data(), index), 0);
        ASSERT_EQ(expected[1], -0.75) << "the slope at the point, negated";
    }
    QV_ProcedureType::SetProvidesDerivativeStorage(false);
    for (long k = 0, refused = 1; refused; ++k) { // k = 0: nothing refused
        const long live = qvhost::LiveBlocks();
        {
            InterpolationCall call(2.5, Steps, 1);
            QVProc_INTERPOLATE p(false, 0), assigned(false, 0);
            call.ListBoth(p);
            EXPECT_EQ(p.DerivativeMatrix(), nullptr);
            const long calls = qvhost::AllocationCalls();
            qvhost::FailAllocation(k);
            int index = 0;
            const int status = p.Jacobian(row.data(), index);
            qvhost::FailAllocation(0);
            refused = k == 0 || qvhost::AllocationCalls() - calls >= k;
            if (status < 0)
                EXPECT_EQ(status, QV_ProcedureType::StatusNoStorage) << k;
            else
                EXPECT_EQ(row, expected) << k;
            auto check = [&](QVProc_INTERPOLATE& q) {
                index = 0;
                EXPECT_EQ(q.Jacobian(row.data(), index), 0) << k;
                EXPECT_EQ(row, expected) << k;
            };
            check(p);
            QVProc_INTERPOLATE copy(p);
            check(copy);
            check(copy = p); // over storage of its own
            check(assigned = p);
        }
        EXPECT_EQ(qvhost::LiveBlocks(), live) << k;
    }
    QV_ProcedureType::SetProvidesDerivativeStorage(true);
}

} // namespace
} // namespace norvane::test
