#!/usr/bin/env bash
# Builds Gradova and draws each dialog with the sample courses into screenshots/ (or $1).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" >&2
"$root/scripts/build.sh" >&2
"${GRADOVA_BUILD_DIR:-$root/build}/ui/gradova-screenshots" "${1:-$root/screenshots}" \
  "$root/tests/data/sample_courses.txt"
