#!/usr/bin/env bash
# Refreshes the README's benchmark table (between <!-- bench:begin --> and
# <!-- bench:end -->) with scripts/bench.sh's table.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

BENCH_NATIVE_DIR=$build/native BENCH_MINGW_DIR=$build/mingw bash "$root/scripts/bench.sh" >"$work/out"
grep '^|' "$work/out" >"$work/table" || { echo "readme_bench: no table in the output" >&2; exit 1; }
machine=$(sed -n 's/^Machine: //p' "$work/out" | head -n 1)
if [ -z "$machine" ]; then
  machine="$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1), $(nproc) cores; $(date -u +%F)"
fi
{
  echo
  echo "_Measured on $machine: a machine shared with other work, so times are medians of paired runs with"
  echo "the quartiles in brackets (in process: the thread's processor time), and ratios are medians of the pairs' ratios._"
  echo "_Refresh with \`bash scripts/readme_bench.sh\`._"
  echo
  cat "$work/table"
  echo
} >"$work/block"
python3 - "$root/README.md" "$work/block" <<'PY'
import sys
readme, block = sys.argv[1], open(sys.argv[2], encoding="utf-8").read()
text = open(readme, encoding="utf-8").read()
begin, end = "<!-- bench:begin -->", "<!-- bench:end -->"
if begin not in text or end not in text:
    sys.exit("readme_bench: README.md has no bench block markers")
head, rest = text.split(begin, 1)
open(readme, "w", encoding="utf-8").write(head + begin + "\n" + block + end + rest.split(end, 1)[1])
PY
echo "readme_bench: README.md updated"
