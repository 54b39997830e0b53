#!/usr/bin/env bash
# Builds the native tree and runs the host driver with the given arguments.
set -euo pipefail
cd "$(dirname "$0")/.."

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed'; }
missing=()
for p in cmake make g++; do installed "$p" || missing+=("$p"); done
if ((${#missing[@]})); then
  sudo=; [[ $(id -u) == 0 ]] || sudo=sudo
  { $sudo apt-get update -q && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"; } >&2
fi

# Build output goes to stderr so that stdout carries only what qvhost prints.
{
  cmake -S . -B build-native -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNORVANE_TESTS=OFF
  cmake --build build-native -j "$(nproc)" --target qvhost Norvane340_1
} >&2
exec build-native/bin/qvhost "$@"
