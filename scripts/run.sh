#!/usr/bin/env bash
# README command 1: set up, build, install and start the program under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
bash "$root/scripts/install.sh"
if [ -z "${DISPLAY:-}" ]; then
  . "$root/scripts/wine-env.sh"
  quorin_ensure_display
  echo "no display was set: started Xvfb on $DISPLAY"
fi
# The launcher just installed (PREFIX as install.sh reads it), not another on the PATH.
exec "${PREFIX:-/usr/local}/bin/quorin"
