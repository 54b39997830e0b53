// Copies, assignments and release, with every allocation of a procedure's life refused in
// turn, where the host gives derivative storage and where it gives none (the procedure then
// makes its own): no life crashes or leaks, each object owns its buffers and releases them
// once, and each call gives what it gives when nothing is refused, or a storage failure. An
// array of procedures goes element by element, the last first, and its block once.
#include <algorithm>
#include <string>
#include <utility>

#include "framework/library_new.h"
#include "host/qv_memory.h"
#include "tests/host/array_operators.h"
#include "tests/procedure/procedure_fixture.h"

namespace norvane::test {
namespace {

using Result = std::pair<int, std::vector<double>>; // a call's status and what it wrote

void Record(QVProc_INTERPOLATE& p, std::vector<Result>& results) {
    std::vector<double> residual(1), row(10);
    int index = 0;
    results.emplace_back(p.Residuals(residual.data(), index), residual);
    index = 0;
    results.emplace_back(p.Jacobian(row.data(), index), row);
}

// One life: the procedure listed and evaluated; a copy that outlives it evaluated twice after
// the point moved (a call refused for lack of storage must leave the old point's outputs
// standing for nothing); a copy made before its listing, evaluated, then assigned the first
// copy over storage of its own, and to itself. Empty when the procedure was not made.
std::vector<Result> Live() {
    InterpolationCall call(2.5, Steps, 1);
    auto* p = norvane::LibraryNew<QVProc_INTERPOLATE>(false, 0);
    if (!p) return {};
    call.ListBoth(*p);
    const Evaluation e = Evaluate(*p);
    std::vector<Result> results{{e.residualStatus, e.residuals}, {e.jacobianStatus, e.jacobian}};
    auto* copy = norvane::LibraryNew<QVProc_INTERPOLATE>(*p);
    p->Release();
    if (!copy) return results;
    call.point.SetCurrentValue(3.0);
    Record(*copy, results);
    Record(*copy, results);
    const QVProc_INTERPOLATE fresh(false, 0);
    QVProc_INTERPOLATE other(fresh);
    call.ListBoth(other);
    Record(other, results);
    other = *copy;
    QVProc_INTERPOLATE& same = other;
    other = same;
    copy->Release();
    Record(other, results);
    return results;
}

TEST(ProcedureLifetime, EveryAllocationRefusedInTurn) {
    const std::vector<Result> clean = Live();
    ASSERT_EQ(clean.size(), 10u);
    EXPECT_EQ(clean[0], Result(0, {-3.375}));
    EXPECT_EQ(clean[2], Result(0, {-3.75})) << "the copy calls the routine on its own";
    for (const bool hostStorage : {true, false}) {
        QV_ProcedureType::SetProvidesDerivativeStorage(hostStorage);
        int refused = 0;
        for (long k = 0;; ++k) { // k = 0: nothing refused
            const long live = qvhost::LiveBlocks();
            const long calls = qvhost::AllocationCalls();
            qvhost::FailAllocation(k);
            const std::vector<Result> life = Live();
            qvhost::FailAllocation(0);
            EXPECT_EQ(qvhost::LiveBlocks(), live) << "allocation " << k;
            if (k > 0 && qvhost::AllocationCalls() - calls < k) break; // nothing was refused
            refused += k > 0;
            EXPECT_EQ(life.size(), k == 0 ? clean.size() : life.size());
            for (std::size_t i = 0; i < life.size(); ++i)
                if (k == 0 || life[i].first >= 0)
                    EXPECT_EQ(life[i], clean[i]) << "allocation " << k << ", call " << i;
                else
                    EXPECT_EQ(life[i].first, QV_ProcedureType::StatusNoStorage) << k << " " << i;
        }
        EXPECT_GE(refused, 12) << "the objects, their storage, records, patterns, equation";
    }
    QV_ProcedureType::SetProvidesDerivativeStorage(true);
}

// The blocks that the host's allocator takes back while they are watched, in order.
std::vector<void*> g_freed;
void RecordFree(void* block) {
    g_freed.push_back(block);
}

// Three procedures made with new[], each listed and called, so that each holds buffers of the
// host's and of its own, then deleted with delete[]. Each element's packed value buffer goes
// with that element's destructor, so the order in which those buffers go is the order of the
// destructors; the array's block goes after them, once, and nothing else stays behind.
TEST(ProcedureLifetime, AnArrayGoesLastElementFirstAndItsBlockOnce) {
    constexpr int Elements = 3;
    InterpolationCall call(2.5, Steps, 1);
    const long live = qvhost::LiveBlocks();
    const long refused = qvhost::RefusedFrees();
    auto* procedures = new QVProc_INTERPOLATE[Elements]{{false, 0}, {false, 1}, {false, 2}};
    void* const block = LastArrayBlock();
    std::vector<const void*> buffers;
    for (int k = 0; k < Elements; ++k) {
        call.ListBoth(procedures[k]);
        EXPECT_EQ(Evaluate(procedures[k]).jacobianStatus, 0) << "element " << k;
        buffers.push_back(procedures[k].Values());
    }
    ASSERT_GT(qvhost::LiveBlocks(), live + 1 + Elements) << "the array, each element's buffers";

    g_freed.clear();
    g_freed.reserve(256);
    qvhost::ObserveFrees(&RecordFree);
    delete[] procedures;
    qvhost::ObserveFrees(nullptr);

    std::string order; // the watched blocks as they went: element numbers, then "array"
    for (void* freed : g_freed) {
        const auto element = std::find(buffers.begin(), buffers.end(), freed);
        if (element != buffers.end())
            order += std::to_string(element - buffers.begin()) + " ";
        else if (freed == block)
            order += "array";
    }
    EXPECT_EQ(order, "2 1 0 array");
    EXPECT_EQ(qvhost::LiveBlocks(), live) << "every element's buffers and the array's block";
    EXPECT_EQ(qvhost::RefusedFrees(), refused) << "no block freed twice or at a wrong address";
}

} // namespace
} // namespace norvane::test
