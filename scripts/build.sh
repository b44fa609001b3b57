#!/usr/bin/env bash
# Configures and builds Gradova into build/ (or $GRADOVA_BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${GRADOVA_BUILD_DIR:-$root/build}
cmake --preset default -S "$root" -B "$build" "$@" >/dev/null
cmake --build "$build"
