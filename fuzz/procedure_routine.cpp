#include "fuzz/procedure_routine.h"

#include "host/qv_procedure_library.h"

namespace norvane::fuzz {
namespace {

RoutineCalls g_record;
QV_ProcedureRoutine g_interp = nullptr;

void QV_STDCALL Recording(int* callType, double* inputs, const int* inputDims, double* outputs,
                          const int* outputDims, const int* inputOffsets, const int* outputOffsets,
                          int* hostInteger, double* hostReals, int* hostIntegerCopy,
                          int* derivativeCount, const int* rows, const int* cols, int* scratch,
                          double* derivatives, int* failure) {
    ++g_record.calls;
    g_record.callType = *callType;
    g_interp(callType, inputs, inputDims, outputs, outputDims, inputOffsets, outputOffsets,
             hostInteger, hostReals, hostIntegerCopy, derivativeCount, rows, cols, scratch,
             derivatives, failure);
    g_record.failure = *failure;
}

} // namespace

bool RecordRoutineCalls() {
    if (!g_interp) {
        g_interp = qvhost::FileRoutine("QVNorvane", "INTERP");
        if (g_interp) qvhost::RegisterRoutine("QVNorvane", "INTERP", Recording);
    }
    return g_interp != nullptr;
}

const RoutineCalls& RoutineRecord() {
    return g_record;
}

} // namespace norvane::fuzz
