#!/usr/bin/env bash
# Installs what only the tests need, on top of scripts/setup.sh (Debian, as root).
set -euo pipefail
bash "$(dirname "$0")/setup.sh"
TEST_PKGS=(epubcheck chromium libreoffice-writer-nogui nsis lintian desktop-file-utils appstream)
((${#TEST_PKGS[@]})) || exit 0
. "$(dirname "$0")/apt-ensure.sh"
apt_ensure "${TEST_PKGS[@]}"
