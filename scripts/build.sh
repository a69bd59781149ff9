#!/usr/bin/env bash
# Builds both trees: native (heart, tools, quorin-cli, unit tests) and the
# Windows program with its Windows-side tests; then the release quorin-cli
# that gets installed. BUILD_DIR picks the root.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
jobs=${JOBS:-$(nproc)}
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)

cmake -S "$root" -B "$build/native" "${gen[@]}" -DCMAKE_BUILD_TYPE=${NATIVE_BUILD_TYPE:-RelWithDebInfo} >/dev/null
cmake --build "$build/native" -j "$jobs"

cmake -S "$root" -B "$build/mingw" "${gen[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-toolchain.cmake" \
  -DQUORIN_GENERATED="$build/native/generated" >/dev/null
cmake --build "$build/mingw" -j "$jobs"

bash "$root/scripts/build-release-cli.sh"
