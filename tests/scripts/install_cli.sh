#!/usr/bin/env bash
# The quorin-cli that scripts/install.sh puts on the PATH is the release
# build: no sanitizer runtime linked in, no calls into one, stripped, and it
# reads the lessons exactly as the test build does.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
exe=${QUORIN_EXE:-$build/mingw/quorin.exe}
tested=$build/native/quorin-cli
[ -f "$exe" ] && [ -x "$tested" ] || { echo "install_cli: FAILED, build both trees first"; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail=0
bad() { echo "install_cli: FAILED $*"; fail=1; }

PREFIX=$tmp/prefix APPS_DIR=$tmp/apps ICONS_DIR=$tmp/icons QUORIN_EXE=$exe \
  bash "$root/scripts/install.sh" >/dev/null 2>"$tmp/err" || bad "install.sh: $(cat "$tmp/err")"
cli=$tmp/prefix/bin/quorin-cli
[ -x "$cli" ] || { bad "no quorin-cli installed"; exit 1; }

runtime=$(ldd "$cli" 2>/dev/null | grep -E 'lib(a|ub|t|l|hwa)san')
[ -z "$runtime" ] || bad "links a sanitizer runtime: $runtime"
# A runtime linked statically shows as the instrumented code's calls into it.
# (Whole listings first: grep -q leaving early would fail the pipe.)
symbols=$(readelf --dyn-syms -W "$cli")
grep -qE '__(asan|ubsan|tsan|lsan)_' <<<"$symbols" && bad "calls into a sanitizer runtime"
# Linked whole, the instrumented code's calls leave no dynamic symbols; the
# runtimes' own messages still show.
grep -qaE 'AddressSanitizer|UndefinedBehaviorSanitizer' "$cli" && bad "carries a sanitizer runtime"
# Nothing to load at start but, at most, the C library.
libraries=$(ldd "$cli" 2>/dev/null | grep -vE 'linux-vdso|libc\.so|ld-linux' || true)
[ -z "$libraries" ] || bad "loads libraries at start: $libraries"
sections=$(readelf -S -W "$cli")
grep -q '\.symtab' <<<"$sections" && bad "not stripped"

for args in "today" "lesson 1" "lesson 339 --width 50" "index" "search ש?ם*" "search זזזזזזזז"; do
  cmp -s <($tested $args 2>&1) <("$cli" $args 2>&1) || bad "'$args' differs from the test build"
done
echo "install_cli: $(stat -c %s "$cli") bytes, $(ldd "$cli" 2>/dev/null | grep -c '=>') libraries"
exit $fail
