#!/usr/bin/env bash
# The fuzzers, briefly: builds the clang tree in build/fuzz and runs every
# target for a few seconds over its seeds. Skipped when clang is missing.
root=$(cd "$(dirname "$0")/../.." && pwd)
if ! command -v clang++ >/dev/null; then
  echo "fuzz_short: clang++ not installed, skipped"
  exit 0
fi
FUZZ_SECONDS=${FUZZ_SECONDS:-5} exec bash "$root/scripts/fuzz.sh"
