#!/usr/bin/env bash
# README command 1: set up, build, and start the program under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
export WINEPREFIX=${WINEPREFIX:-$HOME/.local/share/quorin/wineprefix}
exec "$root/cmake/wine-run.sh" "${BUILD_DIR:-$root/build}/mingw/quorin.exe"
