/* The runtime's math.h, completed with what the C++ library's <cmath> takes from it: the
 * long-double forms of the functions (on this target a long double is a double, so each is the
 * double function) and the declarations of functions that the runtime exports but its header
 * leaves out. */
#ifndef NORVANE_MSVC_SUPPORT_MATH_H
#define NORVANE_MSVC_SUPPORT_MATH_H

#include_next <math.h>

#ifdef __cplusplus
extern "C" {
#endif

_ACRTIMP double __cdecl erfc(double);
_ACRTIMP float __cdecl erfcf(float);
_ACRTIMP double __cdecl nan(const char*);
_ACRTIMP float __cdecl nanf(const char*);

#define NORVANE_LONG_DOUBLE_1(name)                                                                \
    static inline long double name##l(long double x) {                                             \
        return name((double)x);                                                                    \
    }
#define NORVANE_LONG_DOUBLE_2(name)                                                                \
    static inline long double name##l(long double x, long double y) {                              \
        return name((double)x, (double)y);                                                         \
    }

NORVANE_LONG_DOUBLE_1(acos)
NORVANE_LONG_DOUBLE_1(acosh)
NORVANE_LONG_DOUBLE_1(asin)
NORVANE_LONG_DOUBLE_1(asinh)
NORVANE_LONG_DOUBLE_1(atan)
NORVANE_LONG_DOUBLE_1(atanh)
NORVANE_LONG_DOUBLE_1(cbrt)
NORVANE_LONG_DOUBLE_1(ceil)
NORVANE_LONG_DOUBLE_1(cos)
NORVANE_LONG_DOUBLE_1(cosh)
NORVANE_LONG_DOUBLE_1(erf)
NORVANE_LONG_DOUBLE_1(erfc)
NORVANE_LONG_DOUBLE_1(exp)
NORVANE_LONG_DOUBLE_1(exp2)
NORVANE_LONG_DOUBLE_1(expm1)
NORVANE_LONG_DOUBLE_1(fabs)
NORVANE_LONG_DOUBLE_1(floor)
NORVANE_LONG_DOUBLE_1(lgamma)
NORVANE_LONG_DOUBLE_1(log)
NORVANE_LONG_DOUBLE_1(log10)
NORVANE_LONG_DOUBLE_1(log1p)
NORVANE_LONG_DOUBLE_1(log2)
NORVANE_LONG_DOUBLE_1(logb)
NORVANE_LONG_DOUBLE_1(nearbyint)
NORVANE_LONG_DOUBLE_1(sin)
NORVANE_LONG_DOUBLE_1(sinh)
NORVANE_LONG_DOUBLE_1(sqrt)
NORVANE_LONG_DOUBLE_1(tan)
NORVANE_LONG_DOUBLE_1(tanh)
NORVANE_LONG_DOUBLE_1(tgamma)
NORVANE_LONG_DOUBLE_2(atan2)
NORVANE_LONG_DOUBLE_2(fdim)
NORVANE_LONG_DOUBLE_2(fmax)
NORVANE_LONG_DOUBLE_2(fmin)
NORVANE_LONG_DOUBLE_2(fmod)
NORVANE_LONG_DOUBLE_2(hypot)
NORVANE_LONG_DOUBLE_2(nextafter)
NORVANE_LONG_DOUBLE_2(pow)
NORVANE_LONG_DOUBLE_2(remainder)

#undef NORVANE_LONG_DOUBLE_1
#undef NORVANE_LONG_DOUBLE_2

static inline long double frexpl(long double x, int* e) {
    return frexp((double)x, e);
}
static inline long double ldexpl(long double x, int e) {
    return ldexp((double)x, e);
}
static inline long double scalbnl(long double x, int e) {
    return scalbn((double)x, e);
}
static inline long double scalblnl(long double x, long e) {
    return scalbln((double)x, e);
}
static inline int ilogbl(long double x) {
    return ilogb((double)x);
}
static inline long double nanl(const char* tag) {
    return nan(tag);
}
static inline long double modfl(long double x, long double* whole) {
    double d;
    const double fraction = modf((double)x, &d);
    *whole = d;
    return fraction;
}
static inline long double remquol(long double x, long double y, int* quotient) {
    return remquo((double)x, (double)y, quotient);
}
static inline double nexttoward(double x, long double y) {
    return nextafter(x, (double)y);
}
static inline float nexttowardf(float x, long double y) {
    return nextafterf(x, (float)y);
}
static inline long double nexttowardl(long double x, long double y) {
    return nextafter((double)x, (double)y);
}

#ifdef __cplusplus
}
#endif

#endif
