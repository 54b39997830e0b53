/* The runtime's winnt.h, whose 32-bit x86 part defines the 64-bit interlocked operations and the
 * pointer exchanges as functions of its own. The compiler knows these names as builtins on every
 * Windows target and refuses a definition of them, so the header's definitions are renamed out
 * of the way; the names then stand for the compiler's builtins. */
#ifndef NORVANE_MSVC_SUPPORT_WINNT_H
#define NORVANE_MSVC_SUPPORT_WINNT_H

#define _InterlockedAnd64 norvane_winnt_InterlockedAnd64
#define _InterlockedCompareExchangePointer norvane_winnt_InterlockedCompareExchangePointer
#define _InterlockedDecrement64 norvane_winnt_InterlockedDecrement64
#define _InterlockedExchangeAdd64 norvane_winnt_InterlockedExchangeAdd64
#define _InterlockedExchangePointer norvane_winnt_InterlockedExchangePointer
#define _InterlockedIncrement64 norvane_winnt_InterlockedIncrement64
#define _InterlockedOr64 norvane_winnt_InterlockedOr64
#define _InterlockedXor64 norvane_winnt_InterlockedXor64

#include_next <winnt.h>

#undef _InterlockedAnd64
#undef _InterlockedCompareExchangePointer
#undef _InterlockedDecrement64
#undef _InterlockedExchangeAdd64
#undef _InterlockedExchangePointer
#undef _InterlockedIncrement64
#undef _InterlockedOr64
#undef _InterlockedXor64

#endif
