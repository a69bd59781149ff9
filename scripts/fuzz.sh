#!/usr/bin/env bash
# Builds the fuzzers (clang, libFuzzer, ASan, UBSan) in build/fuzz and runs
# each over its seed corpus.
#   scripts/fuzz.sh              short run: a few seconds per target
#   scripts/fuzz.sh --long N     N executions per target, one target at a time,
#                                exec counts appended to bench/fuzz-record.txt
#   scripts/fuzz.sh ... TARGET.. only these targets (fuzz_uncompress ...)
# Findings land in build/fuzz/findings/<target>/; each one should become a
# regression test in tests/fuzz/findings_test.cpp.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build/fuzz}
seconds=${FUZZ_SECONDS:-6}
runs=0
if [ "${1:-}" = "--long" ]; then
  runs=${2:?--long needs an execution count}
  shift 2
fi

if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DQUORIN_FUZZ=ON >/dev/null || exit 1
fi
ninja -C "$build" -j2 fuzzers >/dev/null || { echo "fuzzers did not build"; exit 1; }

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in "$root"/tests/fuzz/fuzz_*.cpp; do
    name=$(basename "$f" .cpp)
    [ "$name" = fuzz_support ] || targets+=("$name")
  done
fi

export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fail=0
for t in "${targets[@]}"; do
  work="$build/corpus/$t"
  findings="$build/findings/$t"
  mkdir -p "$work" "$findings"
  log="$build/$t.log"
  if [ "$runs" -gt 0 ]; then
    limit=(-runs="$runs" -max_total_time=${FUZZ_LONG_CAP:-3000})
  else
    limit=(-max_total_time="$seconds")
  fi
  # The encoders and layouts write far more than they read: shorter inputs
  # keep them at thousands of runs a second.
  case $t in
    fuzz_export) max_len=384 ;;
    fuzz_layout|fuzz_index) max_len=512 ;;
    fuzz_matcher|fuzz_uncompress|fuzz_find_record) max_len=2048 ;;
    *) max_len=4096 ;;
  esac
  start=$(date +%s)
  "$build/$t" "${limit[@]}" -max_len=$max_len -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$work" "$root/tests/fuzz/seeds/$t" >"$log" 2>&1
  rc=$?
  executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  elapsed=$(( $(date +%s) - start ))
  status=ok
  [ $rc -eq 0 ] || { status="FINDING (see $log)"; fail=1; }
  printf '%-26s %12s runs %8s/s %5ss  %s\n' "$t" "${executed:-?}" "${rate:-?}" "$elapsed" "$status"
  if [ "$runs" -gt 0 ]; then
    printf '%s %-26s %12s runs %8s/s %6ss max_len %5s %s\n' "$(date -u +%FT%TZ)" "$t" "${executed:-?}" \
      "${rate:-?}" "$elapsed" "$max_len" "$status" >>"$root/bench/fuzz-record.txt"
  fi
done
exit $fail
