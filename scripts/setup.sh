#!/usr/bin/env bash
# Installs everything the build, the program and the tests need (Debian, as root).
# Quick when all is present: it only asks apt when a package is missing.
set -euo pipefail
PKGS=(cmake make g++ ninja-build g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64-x86-64
      wine wine64 xvfb xdotool x11-utils imagemagick googletest libgtest-dev zlib1g-dev
      clang libclang-rt-14-dev llvm xclip cups printer-driver-cups-pdf poppler-utils
      culmus python3 zip unzip hyperfine)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -q i386; then dpkg --add-architecture i386; fi
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
