#!/usr/bin/env bash
# Runs every test: native build, ASan+UBSan build, the 32-bit Windows cross
# build whose tests run under wine, the Windows build in the platform compiler's
# interface (clang, lld-link, Wine's runtime) whose driver runs the roads under
# wine, the same DLL unoptimised whose imports from the host are checked, and the
# fuzz targets (clang, libFuzzer with ASan+UBSan) for a bounded time each. Installs what is missing (Debian, as root).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
passed=0 failed=0

step() { printf '\n==== %s ====\n' "$*"; }

summary() { echo "$passed passed, $failed failed"; }

# --- prerequisites ----------------------------------------------------------
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed'; }
packages=(cmake make g++ libgtest-dev googletest libbenchmark-dev g++-mingw-w64-i686
          wine wine32:i386 python3-pefile)
sudo=; [[ $(id -u) == 0 ]] || sudo=sudo
# Installs the packages given that are not installed yet.
install_missing() {
  local missing=() p
  for p in "$@"; do
    installed "$p" || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  step "installing ${missing[*]}"
  dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
}
# The platform-interface build: clang 22, its lld-link and tools, libc++'s headers of the same
# release (which conflict with those of another release: none other is installed) and Wine's
# runtime headers and import libraries. The fuzz build takes the default clang.
install_missing "${packages[@]}" clang llvm clang-22 lld-22 llvm-22 libc++-22-dev libwine-dev:i386
# The sanitizer and libFuzzer runtimes of the default clang.
clang_major=$(clang++ -dumpversion | cut -d. -f1)
install_missing "libclang-rt-$clang_major-dev"

# Configures and builds one tree: build DIR [cmake options...]
build() {
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNORVANE_TESTS=ON "$@"
  cmake --build "$dir" -j "$jobs"
}

# Runs the CTest suite of one tree and adds its counts to the totals.
run_ctest() {
  local log rc=0 total fails
  log=$(mktemp)
  (cd "$1" && ctest --output-on-failure) 2>&1 | tee "$log" || rc=$?
  read -r total fails < <(sed -nE 's/.* tests passed, ([0-9]+) tests failed out of ([0-9]+).*/\2 \1/p' "$log") || true
  rm -f "$log"
  passed=$((passed + ${total:-0} - ${fails:-0})) failed=$((failed + ${fails:-0}))
  if ((rc != 0)); then
    summary
    exit 1
  fi
}

# --- (a) native -------------------------------------------------------------
bench=()
[[ -f bench/CMakeLists.txt ]] && bench=(-DNORVANE_BENCH=ON)
step "native build (build-native)"
build build-native -DNORVANE_SANITIZE=OFF "${bench[@]}"
step "native tests"
run_ctest build-native

# --- (b) AddressSanitizer + UndefinedBehaviorSanitizer ----------------------
step "sanitizer build (build-asan)"
build build-asan -DNORVANE_SANITIZE=ON
step "sanitizer tests"
run_ctest build-asan

# --- (c) 32-bit Windows, tests under wine -----------------------------------
# Headless and quiet wine, in a prefix of each tree's own (the one its tests set).
unset DISPLAY WAYLAND_DISPLAY
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
prefixes=()
trap 'for p in "${prefixes[@]}"; do WINEPREFIX=$p wineserver -k 2>/dev/null || true; done' EXIT
# Makes the wine prefix of a build tree, once: wine_prefix DIR
wine_prefix() {
  export WINEPREFIX=$PWD/$1/wineprefix
  prefixes+=("$WINEPREFIX")
  [[ -f $WINEPREFIX/system.reg ]] || wineboot -i </dev/null >/dev/null 2>&1 || echo "warning: wineboot -i failed" >&2
}

step "Windows cross build (build-win32)"
build build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
step "Windows tests under wine"
wine_prefix build-win32
run_ctest build-win32

# The same sources in the platform compiler's interface; its driver's roads must match the
# native driver's.
step "Windows build in the platform compiler's interface (build-msvc)"
# A tree keeps the compiler it was first configured with: one of an earlier clang is made afresh.
grep -qs 'llvm-22/bin/clang++' build-msvc/CMakeFiles/*/CMakeCXXCompiler.cmake || rm -rf build-msvc
build build-msvc -DCMAKE_TOOLCHAIN_FILE=cmake/msvc-i686.cmake \
  -DNORVANE_NATIVE_QVHOST="$PWD/build-native/bin/qvhost"
step "platform-interface roads under wine"
wine_prefix build-msvc
run_ctest build-msvc

# The same DLL unoptimised: what a host header defines inline is called by its name there, so
# the import check sees every host operation that the library reaches; it reads the optimised
# DLL's imports too, and fails on an operation of the list that neither imports. Needs no wine.
step "platform-interface Debug build: imports from the host (build-msvc-debug)"
cmake -S . -B build-msvc-debug -DCMAKE_BUILD_TYPE=Debug -DNORVANE_TESTS=ON \
  -DCMAKE_TOOLCHAIN_FILE=cmake/msvc-i686.cmake \
  -DNORVANE_OPTIMISED_LIBRARY="$PWD/build-msvc/bin/Norvane340_1.dll"
cmake --build build-msvc-debug -j "$jobs" --target Norvane340_1 qvcore
if (cd build-msvc-debug && ctest --output-on-failure -R '^host_imports$'); then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
  summary
  exit 1
fi

# --- (d) fuzz targets: clang, libFuzzer, ASan + UBSan -------------------------
# Each target runs on its seed corpus for a bounded time (fuzz/CMakeLists.txt); a crash, a
# leak or a failed check fails its test, and the output shows the input that caused it.
step "fuzz build (build-fuzz)"
build build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DNORVANE_TESTS=OFF -DNORVANE_FUZZ=ON \
  -DNORVANE_FUZZ_SECONDS=60
step "fuzz runs"
run_ctest build-fuzz

step "done"
summary
