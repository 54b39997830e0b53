#!/usr/bin/env bash
# Builds the native tree and runs the host driver with the given arguments. With --windows as the
# first argument it builds the Windows tree in the platform compiler's interface instead
# (build-msvc) and runs that driver, with the DLL a host loads, under wine.
set -euo pipefail
cd "$(dirname "$0")/.."

windows=0
if [[ ${1:-} == --windows ]]; then
  windows=1
  shift
fi

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed'; }
sudo=; [[ $(id -u) == 0 ]] || sudo=sudo
# Installs the packages given that are not installed yet.
install_missing() {
  local missing=() p
  for p in "$@"; do installed "$p" || missing+=("$p"); done
  ((${#missing[@]})) || return 0
  {
    if ((windows)); then
      dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
    fi
    $sudo apt-get update -q && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
  } >&2
}
install_missing cmake make g++
if ((windows)); then
  install_missing clang-22 lld-22 llvm-22 libc++-22-dev g++-mingw-w64-i686 wine wine32:i386 \
    libwine-dev:i386
fi

# Build output goes to stderr so that stdout carries only what qvhost prints.
if ((windows)); then
  {
    # A tree keeps the compiler it was first configured with: one of an earlier clang goes.
    grep -qs 'llvm-22/bin/clang++' build-msvc/CMakeFiles/*/CMakeCXXCompiler.cmake || rm -rf build-msvc
    cmake -S . -B build-msvc -DCMAKE_TOOLCHAIN_FILE=cmake/msvc-i686.cmake -DNORVANE_TESTS=OFF
    cmake --build build-msvc -j "$(nproc)" --target qvhost
  } >&2
  # Headless and quiet, in the tree's own prefix.
  unset DISPLAY WAYLAND_DISPLAY
  export WINEDEBUG=-all WINEPREFIX=$PWD/build-msvc/wineprefix WINEDLLOVERRIDES="mscoree,mshtml="
  exec wine build-msvc/bin/qvhost.exe "$@"
fi
{
  cmake -S . -B build-native -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNORVANE_TESTS=OFF
  cmake --build build-native -j "$(nproc)" --target qvhost Norvane340_1
} >&2
exec build-native/bin/qvhost "$@"
