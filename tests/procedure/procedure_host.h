// What the procedure tests and the procedure fuzz target both do around a procedure: the
// owner's two equation passes, and a routine that stands in front of the procedure library's
// INTERP to count and record its calls.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "host/qv_routine.h"

namespace norvane::test {

// What the owner's passes gave: the counts of the structure pass, and the equations and
// pattern entries that the expression pass made into a buffer of exactly the counted entries.
struct OwnerPasses {
    int equations = 0;
    int nonZeros = 0;
    int made = 0; // the equation counter after the expression pass
    long entries = 0;
};

// The owner (null: none) counts the procedure's equations and non-zeros, then has them made.
template <class Procedure, class Owner>
OwnerPasses RunOwnerPasses(Procedure& p, Owner* owner, int group) {
    OwnerPasses passes;
    passes.nonZeros = p.NZAndEqnContribution(owner, group, passes.equations);
    const std::size_t room = static_cast<std::size_t>(std::max(passes.nonZeros, 0));
    std::vector<int> rows(room + 1), cols(room + 1);
    if (owner) owner->SetPatternBuffer(rows.data(), rows.data() + room);
    int* row = rows.data();
    int* col = cols.data();
    p.CreateEquationsAndSetGroup(group, 0, row, col, passes.made, owner, "", 0);
    passes.entries = row - rows.data();
    return passes;
}

// Stands in front of the real INTERP while it lives: counts the calls and keeps the
// arguments and the failure flag of the last one.
class RoutineRecorder {
public:
    RoutineRecorder();
    ~RoutineRecorder();
    RoutineRecorder(const RoutineRecorder&) = delete;
    RoutineRecorder& operator=(const RoutineRecorder&) = delete;

    // The routine that the library file exports; null when the file or the routine is missing.
    QV_ProcedureRoutine fileRoutine;
    int calls = 0;
    int callType = -1;
    std::vector<int> inputDims, inputOffsets, outputOffsets, rows, cols;
    int failure = 0;
};

} // namespace norvane::test
