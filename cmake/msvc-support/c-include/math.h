/* The runtime's math.h, completed with what the C++ library's <cmath> and the sources take from
 * it: the declaration of nan, which the runtime exports but its header leaves out, and, for C++,
 * the classification functions that the C++ library expects of this runtime's header and that
 * the header gives as macros. */
#ifndef NORVANE_MSVC_SUPPORT_MATH_H
#define NORVANE_MSVC_SUPPORT_MATH_H

#include_next <math.h>

#ifdef __cplusplus
extern "C" {
#endif

_ACRTIMP double __cdecl nan(const char*);

#ifdef __cplusplus
}

#undef isfinite
#undef isinf
#undef isnan

extern "C++" {
#define NORVANE_CLASSIFY(name)                                                                     \
    template <class T> inline bool name(T x) {                                                     \
        return __builtin_##name(x);                                                                \
    }
NORVANE_CLASSIFY(isfinite)
NORVANE_CLASSIFY(isinf)
NORVANE_CLASSIFY(isnan)
#undef NORVANE_CLASSIFY
}
#endif

#endif
