#include "tests/procedure/test_procedures.h"

namespace norvane::test {

namespace {

ScriptedRoutine* g_script = nullptr;

void QV_STDCALL Scripted(int*, double* in, const int* dims, double* out, const int*,
                         const int* inOffsets, const int* outOffsets, int*, double*, int*, int*,
                         const int*, const int*, int*, double*, int* failure) {
    ScriptedRoutine& s = *g_script;
    const double point = in[inOffsets[0]];
    const double abscissa = dims[0] > 0 ? in[inOffsets[1]] : 0.0;
    double ordinates = 0.0;
    for (int k = 0; k < dims[1]; ++k)
        ordinates += in[inOffsets[2] + k];
    s.points.push_back(point);
    if (s.fails && s.fails(point, abscissa)) return;
    out[outOffsets[0]] = s.value(point, abscissa, ordinates);
    if (s.edit) s.edit(in, inOffsets);
    *failure = 0;
}

} // namespace

ScriptedRoutine::ScriptedRoutine(Value value, Fails fails, Edit edit)
    : value(value), fails(fails), edit(edit) {
    g_script = this;
    qvhost::RegisterRoutine("QVTestRoutines", "SCRIPT", Scripted);
}

ScriptedRoutine::~ScriptedRoutine() {
    qvhost::RegisterRoutine("QVTestRoutines", "SCRIPT", nullptr);
    g_script = nullptr;
}

} // namespace norvane::test
