// Test-only procedures on the procedure template, each with a signature of its own, calling
// the routine that the test names: the template's paths that QVProc_INTERPOLATE never takes
// (finite differences, writing inputs back, strings) and unresolved libraries and routines.
#pragma once

#include <string>
#include <vector>

#include "host/qv_procedure_library.h"
#include "procedures/procedure_template_all.h"

namespace norvane::test {

// The signature of INTERPOLATE, with or without derivatives, writing back the point and the
// mode or not.
template <bool Derivatives, bool WritesBack> struct InterpolationSignature {
    static constexpr int Inputs = 4, Sizes = 2;
    static constexpr int dims[5] = {0, 1, 1, 0, 0}, types[5] = {4, 4, 4, 2, 4};
    static constexpr bool writtenBack[5] = {WritesBack, false, false, WritesBack, false};
    static constexpr bool derivatives = Derivatives;
};

// An array of strings, a string, a real scalar written back; a real out.
struct TextSignature {
    static constexpr int Inputs = 3, Sizes = 1;
    static constexpr int dims[4] = {1, 0, 0, 0}, types[4] = {5, 5, 4, 4};
    static constexpr bool writtenBack[4] = {true, true, false, false};
    static constexpr bool derivatives = false;
};

// A real in, a vector of reals out.
struct VectorOutputSignature {
    static constexpr int Inputs = 1, Sizes = 1;
    static constexpr int dims[2] = {0, 1}, types[2] = {4, 4};
    static constexpr bool writtenBack[2] = {false, false};
    static constexpr bool derivatives = true;
};

template <class Signature>
class TestProcedure : public QV_ProcedureTemplate<TestProcedure<Signature>, Signature::Inputs, 1,
                                                  Signature::Sizes, QV_ProcedureType_C, 4> {
public:
    TestProcedure(const char* library, const char* routine)
        : m_library(library), m_routine(routine) {}
    static int Dimensions(int i) { return Signature::dims[i]; }
    static int Type(int i) { return Signature::types[i]; }
    static bool IsVariableInput(int i) { return Signature::writtenBack[i]; }
    static bool ReturnsDerivatives() { return Signature::derivatives; }
    const char* ProcedureName() const override { return m_routine; }
    const char* DLLName() const override { return m_library; }
    void CreateDerivatives() { this->HandleDerivatives(false); }
    void NegateDerivatives() { this->HandleDerivatives(true); }
    // The host's count of derivative entries, as a host that counts differently would set it.
    void SetDerivativeCount(int count) { this->m_nDerivCount = count; }

private:
    const char* m_library;
    const char* m_routine;
};

using Differenced = TestProcedure<InterpolationSignature<false, false>>;
using WritingBack = TestProcedure<InterpolationSignature<true, true>>;
using WithDerivatives = TestProcedure<InterpolationSignature<true, false>>;
using Texts = TestProcedure<TextSignature>;
using VectorOutput = TestProcedure<VectorOutputSignature>;

// A routine of the tests, registered under library "QVTestRoutines" while the object lives.
// It takes the point (input 0), the first abscissa (0 when there is none) and the sum of the
// ordinates, keeps every point it sees and, unless `fails` says so, writes value(point,
// abscissa, sum) to the output; `edit`, when given, may then change the input words.
class ScriptedRoutine {
public:
    using Value = double (*)(double point, double abscissa, double ordinates);
    using Fails = bool (*)(double point, double abscissa);
    using Edit = void (*)(double* inputs, const int* offsets);
    explicit ScriptedRoutine(Value value, Fails fails = nullptr, Edit edit = nullptr)
        : value(value), fails(fails), edit(edit) {
        Current() = this;
        qvhost::RegisterRoutine("QVTestRoutines", "SCRIPT", Run);
    }
    ~ScriptedRoutine() { qvhost::RegisterRoutine("QVTestRoutines", "SCRIPT", nullptr); }
    ScriptedRoutine(const ScriptedRoutine&) = delete;
    ScriptedRoutine& operator=(const ScriptedRoutine&) = delete;

    Value value;
    Fails fails;
    Edit edit;
    std::vector<double> points;

private:
    static ScriptedRoutine*& Current() {
        static ScriptedRoutine* current = nullptr;
        return current;
    }
    static void QV_STDCALL Run(int*, double* in, const int* dims, double* out, const int*,
                               const int* inOffsets, const int* outOffsets, int*, double*, int*,
                               int*, const int*, const int*, int*, double*, int* failure) {
        ScriptedRoutine& s = *Current();
        const double point = in[inOffsets[0]];
        double ordinates = 0.0;
        for (int k = 0; k < dims[1]; ++k)
            ordinates += in[inOffsets[2] + k];
        s.points.push_back(point);
        if (s.fails && s.fails(point, dims[0] > 0 ? in[inOffsets[1]] : 0.0)) return;
        out[outOffsets[0]] = s.value(point, dims[0] > 0 ? in[inOffsets[1]] : 0.0, ordinates);
        if (s.edit) s.edit(in, inOffsets);
        *failure = 0;
    }
};

} // namespace norvane::test
