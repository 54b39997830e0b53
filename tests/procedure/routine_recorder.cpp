#include "host/qv_procedure_library.h"
#include "tests/procedure/procedure_host.h"

namespace norvane::test {

namespace {

RoutineRecorder* g_recorder = nullptr;

void QV_STDCALL Recording(int* type, double* in, const int* inDims, double* out, const int* outDims,
                          const int* inOffsets, const int* outOffsets, int* a8, double* a9,
                          int* a10, int* count, const int* rows, const int* cols, int* scratch,
                          double* derivatives, int* failure) {
    RoutineRecorder& r = *g_recorder;
    ++r.calls;
    r.callType = *type;
    r.inputDims.assign(inDims, inDims + 2);
    r.inputOffsets.assign(inOffsets, inOffsets + 4);
    r.outputOffsets.assign(outOffsets, outOffsets + 1);
    r.rows.assign(rows, rows + (rows ? *count : 0));
    r.cols.assign(cols, cols + (cols ? *count : 0));
    r.fileRoutine(type, in, inDims, out, outDims, inOffsets, outOffsets, a8, a9, a10, count, rows,
                  cols, scratch, derivatives, failure);
    r.failure = *failure;
}

} // namespace

RoutineRecorder::RoutineRecorder() : fileRoutine(qvhost::FileRoutine("QVNorvane", "INTERP")) {
    g_recorder = this;
    qvhost::RegisterRoutine("QVNorvane", "INTERP", Recording);
}
RoutineRecorder::~RoutineRecorder() {
    qvhost::RegisterRoutine("QVNorvane", "INTERP", nullptr);
    g_recorder = nullptr;
}

} // namespace norvane::test
