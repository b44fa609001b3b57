#!/usr/bin/env bash
# Sets up, builds and runs every test of Gradova.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Beyond the build: the browser the report is read in, the validators of the desktop entry and
# the metainfo, the Debian package tools, a Windows resource compiler with the Windows headers, and
# the reader of the PDF text.
"$root/scripts/setup.sh" chromium desktop-file-utils appstream dpkg-dev file \
  binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev poppler-utils
"$root/scripts/build.sh"
ctest --test-dir "${GRADOVA_BUILD_DIR:-$root/build}" --output-on-failure -j "$(nproc)"
