// The call of an external procedure routine: sixteen pointer arguments in the platform's
// standard-call convention (the routine removes its arguments), no result. Kept free of the
// host's classes so that the platform's loader code can include it beside its own headers.
#pragma once

#if defined(_WIN32) && defined(__i386__)
#define QV_STDCALL __attribute__((stdcall))
#else
#define QV_STDCALL
#endif

// In argument order: the call type; the packed value buffer (inputs); the inputs' dimension
// sizes; the packed value buffer again (outputs); the outputs' dimension sizes; the inputs'
// offsets and the outputs' offsets in 8-byte words; a host integer; a host array of reals; a
// copy of a further host integer; the number of derivative entries; their 1-based output and
// input element numbers; a scratch integer; the derivative entries; the failure flag (1 before
// the call, 0 after a successful one).
using QV_ProcedureRoutine = void(QV_STDCALL*)(int* callType, double* inputs, const int* inputDims,
                                              double* outputs, const int* outputDims,
                                              const int* inputOffsets, const int* outputOffsets,
                                              int* hostInteger, double* hostReals,
                                              int* hostIntegerCopy, int* derivativeCount,
                                              const int* derivativeRows, const int* derivativeCols,
                                              int* scratch, double* derivatives, int* failure);
