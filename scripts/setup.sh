#!/usr/bin/env bash
# Installs everything the build and the program need (Debian, as root).
# Quick when all is present: it only asks apt when a package is missing.
# scripts/setup-tests.sh adds what only the tests need.
set -euo pipefail
PKGS=(cmake make g++ ninja-build g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64-x86-64
      wine wine64 xvfb xdotool x11-utils imagemagick googletest libgtest-dev zlib1g-dev
      clang libclang-rt-14-dev llvm xclip cups printer-driver-cups-pdf poppler-utils
      culmus fonts-liberation2 python3 zip unzip hyperfine zenity)
. "$(dirname "$0")/apt-ensure.sh"
apt_ensure "${PKGS[@]}"
