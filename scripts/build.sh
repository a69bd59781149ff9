#!/usr/bin/env bash
# Builds the trees named (all three when none is):
#   native   the heart, tools, quorin-cli and unit tests, with the sanitizers
#   mingw    the Windows program and its Windows-side tests
#   release  quorin-cli alone as it gets installed: optimised, without the
#            sanitizers, stripped (only that target and what it needs)
#   portable the lesson decoder without its x86-64 fast path, as MSVC and
#            other processors build it, and the unit tests that read lessons
#            (not built unless named)
# BUILD_DIR picks the root.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
jobs=${JOBS:-$(nproc)}
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)

trees=("$@")
((${#trees[@]})) || trees=(native mingw release)
for tree in "${trees[@]}"; do
  case $tree in
  native)
    cmake -S "$root" -B "$build/native" "${gen[@]}" -DCMAKE_BUILD_TYPE=${NATIVE_BUILD_TYPE:-RelWithDebInfo} >/dev/null
    cmake --build "$build/native" -j "$jobs"
    ;;
  mingw)
    cmake -S "$root" -B "$build/mingw" "${gen[@]}" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-toolchain.cmake" \
      -DQUORIN_GENERATED="$build/native/generated" >/dev/null
    cmake --build "$build/mingw" -j "$jobs"
    ;;
  release)
    cmake -S "$root" -B "$build/release" "${gen[@]}" -DCMAKE_BUILD_TYPE=Release -DQUORIN_SANITIZE=OFF \
      -DCMAKE_EXE_LINKER_FLAGS=-s >/dev/null
    cmake --build "$build/release" -j "$jobs" --target quorin-cli
    ;;
  portable)
    cmake -S "$root" -B "$build/portable" "${gen[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORIN_PORTABLE_DECODE=ON >/dev/null
    cmake --build "$build/portable" -j "$jobs" --target unit_tests
    ;;
  *)
    echo "build: no tree '$tree' (native, mingw, release, portable)" >&2
    exit 2
    ;;
  esac
done
