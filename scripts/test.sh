#!/usr/bin/env bash
# Sets up, builds and runs every test of Gradova.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
ctest --test-dir "${GRADOVA_BUILD_DIR:-$root/build}" --output-on-failure -j "$(nproc)"
