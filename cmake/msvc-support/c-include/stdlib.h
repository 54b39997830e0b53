/* The runtime's stdlib.h, completed with the declarations of the conversions under a given locale
 * that the runtime exports and the C++ library's locale support calls, but that the header leaves
 * out. */
#ifndef NORVANE_MSVC_SUPPORT_STDLIB_H
#define NORVANE_MSVC_SUPPORT_STDLIB_H

#include_next <stdlib.h>

#ifdef __cplusplus
extern "C" {
#endif

_ACRTIMP double __cdecl _strtod_l(const char*, char**, _locale_t);
_ACRTIMP float __cdecl _strtof_l(const char*, char**, _locale_t);

#ifdef __cplusplus
}
#endif

#endif
