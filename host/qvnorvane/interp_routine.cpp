// INTERP: the routine that the host calls for the interpolation procedure.
//
// Inputs, at the input offsets (8-byte words from the buffer's start, C rules): the point (a
// real), the abscissae and the ordinates (two real vectors, their lengths the two input
// dimension sizes) and the mode (a 32-bit integer at the start of its word: 0 fails outside
// the table, 1 extrapolates linearly from the end segment, 2 holds the end value). Output, at
// the output offset: the interpolated value. With call type 4 it also writes derivative entry
// k as the derivative of the value with respect to the input value that column number k names
// (1 the point, then every abscissa, every ordinate and the mode, whose derivative is 0); an
// entry whose row is not 1 or whose column names no input value gets 0. Call types 0, 1 and 2
// ask for the value alone. The failure flag becomes 0 on success; on any failure (see
// interpolation.h) nothing else is written.
#include <cstdint>
#include <cstring>

#include "host/qv_routine.h"
#include "host/qvnorvane/interpolation.h"

#if defined(_WIN32)
#define QVNORVANE_EXPORT __declspec(dllexport)
#else
#define QVNORVANE_EXPORT __attribute__((visibility("default")))
#endif

namespace {

using namespace qvnorvane;

#if defined(__i386__) || defined(__x86_64__)
// The x87 unit, which computes the long doubles, set to round to its full 64 bits while this
// lives, and then set back: a host may have set it to round every result to double precision,
// under which the exact steps of the value are not exact.
class FullPrecision {
public:
    FullPrecision() {
        asm volatile("fnstcw %0" : "=m"(m_saved));
        const std::uint16_t full = m_saved | 0x300; // precision control: 64 bits
        asm volatile("fldcw %0" : : "m"(full) : "memory");
    }
    ~FullPrecision() { asm volatile("fldcw %0" : : "m"(m_saved) : "memory"); }
    FullPrecision(const FullPrecision&) = delete;
    FullPrecision& operator=(const FullPrecision&) = delete;

private:
    std::uint16_t m_saved = 0;
};
#else
struct FullPrecision {
    FullPrecision() {} // long doubles round as they are
};
#endif

bool KnownCallType(int type) {
    return type == 0 || type == 1 || type == 2 || type == 4;
}

Failure Run(const int* callType, double* inputs, const int* inputDims, double* outputs,
            const int* inputOffsets, const int* outputOffsets, const int* derivativeCount,
            const int* rows, const int* cols, double* derivatives) {
    if (!callType || !inputs || !inputDims || !outputs || !inputOffsets || !outputOffsets)
        return UnusableArguments;
    if (!KnownCallType(*callType)) return UnknownCallType;
    const bool withDerivatives = *callType == 4 && derivativeCount && *derivativeCount > 0;
    if (withDerivatives && (!rows || !cols || !derivatives)) return UnusableArguments;

    const Table table{inputs + inputOffsets[1], inputDims[0], inputs + inputOffsets[2],
                      inputDims[1]};
    int mode = 0;
    std::memcpy(&mode, inputs + inputOffsets[3], sizeof mode);
    Interpolation at{};
    const Failure failure = Interpolate(table, inputs[inputOffsets[0]], mode, at);
    if (failure != Done) return failure;

    outputs[outputOffsets[0]] = at.value;
    if (withDerivatives)
        for (int k = 0; k < *derivativeCount; ++k)
            derivatives[k] = rows[k] == 1 ? Derivative(table, at, cols[k]) : 0.0;
    return Done;
}

} // namespace

extern "C" QVNORVANE_EXPORT void QV_STDCALL
INTERP(int* callType, double* inputs, const int* inputDims, double* outputs, const int*,
       const int* inputOffsets, const int* outputOffsets, int*, double*, int*, int* derivativeCount,
       const int* rows, const int* cols, int*, double* derivatives, int* failure) {
    const FullPrecision precision;
    const Failure result = Run(callType, inputs, inputDims, outputs, inputOffsets, outputOffsets,
                               derivativeCount, rows, cols, derivatives);
    if (failure) *failure = result;
}
