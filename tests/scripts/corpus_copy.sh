#!/usr/bin/env bash
# The project's copy of the text must stay byte-identical to the shared corpus
# it was taken from; the shared folder is optional (a bare checkout has none).
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
ours="$root/content/corpus"
theirs="$root/../shared/corpus"

if [ ! -d "$theirs" ]; then
  echo "corpus_copy: skipped, no shared corpus at $theirs"
  exit 0
fi
if [ ! -d "$ours" ]; then
  echo "corpus_copy: FAILED, $ours is missing"
  exit 1
fi
if ! diff -r -q "$ours" "$theirs"; then
  echo "corpus_copy: FAILED, content/corpus differs from $theirs"
  exit 1
fi
echo "corpus_copy: content/corpus matches $theirs ($(find "$ours" -type f | wc -l) files)"
