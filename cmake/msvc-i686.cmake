# Cross build of the 32-bit Windows DLL, the host stand-in and its driver in the C++ interface of
# the platform's own compiler (its decoration, its tables with one deleting destructor each, the
# vector form, its default-constructor closures): clang 22 for i686-pc-windows-msvc, linked by its
# lld-link against Wine's import libraries, with Wine's runtime headers and libc++'s headers.
# Everything comes from Debian packages (clang-22, lld-22, llvm-22, libc++-22-dev,
# libwine-dev:i386); what the platform's static runtime part and libc++'s compiled part would
# add, the build writes itself (cmake/msvc-support). Programs run under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

# The compiler and its tools of one LLVM release, all from its own directory: clang 22 is the
# first to put the vector deleting destructor in a class's table, as the platform compiler does.
set(NORVANE_CLANG_MAJOR 22)
set(NORVANE_LLVM_BIN /usr/lib/llvm-${NORVANE_CLANG_MAJOR}/bin)
set(CMAKE_CXX_COMPILER ${NORVANE_LLVM_BIN}/clang++)
set(CMAKE_CXX_COMPILER_TARGET i686-pc-windows-msvc)
# The compiler checks compile only: a program links only with the start-up code of the build.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# libc++'s headers of that clang, and clang's own (intrinsics, stddef.h, ...).
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-resource-dir
                OUTPUT_VARIABLE NORVANE_CLANG_RESOURCES OUTPUT_STRIP_TRAILING_WHITESPACE)
set(NORVANE_LIBCXX_INCLUDE /usr/lib/llvm-${NORVANE_CLANG_MAJOR}/include/c++/v1)
set(NORVANE_WINE_INCLUDE /usr/include/wine/wine)
set(NORVANE_WINE_LIBRARIES /usr/lib/i386-linux-gnu/wine/i386-windows)
foreach(required ${CMAKE_CXX_COMPILER} ${NORVANE_LLVM_BIN}/lld-link ${NORVANE_LLVM_BIN}/llvm-rc
                 ${NORVANE_LIBCXX_INCLUDE}/vector ${NORVANE_WINE_INCLUDE}/msvcrt/stdio.h
                 ${NORVANE_WINE_LIBRARIES}/libucrtbase.a)
  if(NOT EXISTS ${required})
    message(FATAL_ERROR "${required} is missing: install clang-${NORVANE_CLANG_MAJOR}, "
                        "lld-${NORVANE_CLANG_MAJOR}, llvm-${NORVANE_CLANG_MAJOR}, "
                        "libc++-${NORVANE_CLANG_MAJOR}-dev and libwine-dev:i386")
  endif()
endforeach()

# The tools of the same release: clang links through the lld-link beside it (-fuse-ld=lld-link),
# and CMake takes the archiver from beside the compiler.
set(CMAKE_LINKER ${NORVANE_LLVM_BIN}/lld-link)
set(CMAKE_RC_COMPILER ${NORVANE_LLVM_BIN}/llvm-rc)
find_program(NORVANE_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${NORVANE_WINE})

# Header order: the build's completions of libc++'s headers, libc++, the build's completions of
# the runtime's headers (each takes the original with #include_next), clang's, the runtime's.
set(NORVANE_MSVC_SUPPORT ${CMAKE_CURRENT_LIST_DIR}/msvc-support)
set(NORVANE_SYSTEM_INCLUDES ${NORVANE_MSVC_SUPPORT}/cxx-include ${NORVANE_LIBCXX_INCLUDE}
    ${NORVANE_MSVC_SUPPORT}/c-include ${NORVANE_CLANG_RESOURCES}/include
    ${NORVANE_WINE_INCLUDE}/msvcrt ${NORVANE_WINE_INCLUDE}/windows)
list(JOIN NORVANE_SYSTEM_INCLUDES " -isystem " NORVANE_SYSTEM_INCLUDE_FLAGS)
# libc++ is configured by the build's __config_site (cxx-include). Function-local statics are
# guarded by a plain flag, as the platform compiler does without thread-safe initialisation.
set(CMAKE_CXX_FLAGS_INIT
    "-fms-extensions -fms-compatibility -fno-threadsafe-statics -nostdinc -isystem ${NORVANE_SYSTEM_INCLUDE_FLAGS}")
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
