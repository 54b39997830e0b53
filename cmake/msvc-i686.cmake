# Cross build of the 32-bit Windows DLL, the host stand-in and its driver in the C++ interface of
# the platform's own compiler (its decoration, its tables with one deleting destructor, its
# default-constructor closures): clang for i686-pc-windows-msvc, linked by lld-link against
# Wine's import libraries, with Wine's runtime headers and libc++'s headers. Everything comes
# from Debian packages (clang, lld, llvm, libwine-dev:i386, libc++-N-dev); what the platform's
# static runtime part and libc++'s compiled part would add, the build writes itself
# (cmake/msvc-support). Programs run under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET i686-pc-windows-msvc)
# The compiler checks compile only: a program links only with the start-up code of the build.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# libc++'s headers of the installed clang, and clang's own (intrinsics, stddef.h, ...).
execute_process(COMMAND clang++ -dumpversion OUTPUT_VARIABLE NORVANE_CLANG_VERSION
                OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REGEX MATCH "^[0-9]+" NORVANE_CLANG_MAJOR "${NORVANE_CLANG_VERSION}")
execute_process(COMMAND clang++ -print-resource-dir OUTPUT_VARIABLE NORVANE_CLANG_RESOURCES
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(NORVANE_LIBCXX_INCLUDE /usr/lib/llvm-${NORVANE_CLANG_MAJOR}/include/c++/v1)
set(NORVANE_WINE_INCLUDE /usr/include/wine/wine)
set(NORVANE_WINE_LIBRARIES /usr/lib/i386-linux-gnu/wine/i386-windows)
foreach(required ${NORVANE_LIBCXX_INCLUDE}/vector ${NORVANE_WINE_INCLUDE}/msvcrt/stdio.h
                 ${NORVANE_WINE_LIBRARIES}/libucrtbase.a)
  if(NOT EXISTS ${required})
    message(FATAL_ERROR "${required} is missing: install libc++-${NORVANE_CLANG_MAJOR}-dev and "
                        "libwine-dev:i386")
  endif()
endforeach()

find_program(CMAKE_RC_COMPILER NAMES llvm-rc llvm-rc-${NORVANE_CLANG_MAJOR} REQUIRED)
find_program(NORVANE_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${NORVANE_WINE})

# Header order: the build's completions of libc++'s headers, libc++, the build's completions of
# the runtime's headers (each takes the original with #include_next), clang's, the runtime's.
set(NORVANE_MSVC_SUPPORT ${CMAKE_CURRENT_LIST_DIR}/msvc-support)
set(NORVANE_SYSTEM_INCLUDES ${NORVANE_MSVC_SUPPORT}/cxx-include ${NORVANE_LIBCXX_INCLUDE}
    ${NORVANE_MSVC_SUPPORT}/c-include ${NORVANE_CLANG_RESOURCES}/include
    ${NORVANE_WINE_INCLUDE}/msvcrt ${NORVANE_WINE_INCLUDE}/windows)
list(JOIN NORVANE_SYSTEM_INCLUDES " -isystem " NORVANE_SYSTEM_INCLUDE_FLAGS)
# libc++ on its own, without the platform's C++ runtime library: no DLL of its own (each module
# carries the parts it uses), no threads (the library and the host stand-in have none), its
# templates instantiated where they are used. Function-local statics are guarded by a plain
# flag, as the platform compiler does without thread-safe initialisation.
set(CMAKE_CXX_FLAGS_INIT
    "-fms-extensions -fms-compatibility -fno-threadsafe-statics -nostdinc -isystem ${NORVANE_SYSTEM_INCLUDE_FLAGS} -D_LIBCPP_NO_VCRUNTIME -D_LIBCPP_DISABLE_VISIBILITY_ANNOTATIONS -D_LIBCPP_NO_AUTO_LINK -D_LIBCPP_HAS_NO_THREADS -D_LIBCPP_DISABLE_EXTERN_TEMPLATE")
# Optimised with debugging information unless asked otherwise, as the other builds (this
# compiler's default on Windows would be Debug).
set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "")
# DWARF debugging information, kept in the linked files, which mingw's objdump reads.
set(CMAKE_CXX_FLAGS_DEBUG "-O0 -gdwarf" CACHE STRING "")
set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O2 -DNDEBUG -gdwarf" CACHE STRING "")
set(CMAKE_CXX_FLAGS_RELEASE "-O3 -DNDEBUG" CACHE STRING "")
set(CMAKE_CXX_FLAGS_MINSIZEREL "-Os -DNDEBUG" CACHE STRING "")
# Wine's import libraries come with each module (cmake/msvc-support); the default libraries that
# objects name (the runtime's static part) are the build's own. The compiler's flags come along
# to the link, where the header options have nothing to do.
set(NORVANE_LINK_FLAGS "-Xlinker /debug:dwarf -Xlinker /safeseh:no -Xlinker /nodefaultlib -Wno-unused-command-line-argument")
set(CMAKE_EXE_LINKER_FLAGS_INIT ${NORVANE_LINK_FLAGS})
set(CMAKE_SHARED_LINKER_FLAGS_INIT ${NORVANE_LINK_FLAGS})
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "")
