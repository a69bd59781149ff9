#!/usr/bin/env bash
# The quorin-cli that gets installed: a tree of its own (build/release),
# optimised, without the test build's sanitizers, stripped. Only that target
# and what it needs (the heart, the lesson containers) are built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
jobs=${JOBS:-$(nproc)}
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)

cmake -S "$root" -B "$build/release" "${gen[@]}" -DCMAKE_BUILD_TYPE=Release -DQUORIN_SANITIZE=OFF \
  -DCMAKE_EXE_LINKER_FLAGS=-s >/dev/null
cmake --build "$build/release" -j "$jobs" --target quorin-cli
