#!/usr/bin/env bash
# Sets up, builds and runs Gradova. Until the desktop program exists this shows the GPA table of
# the sample course file with gradova-cli; pass other arguments to gradova-cli to override.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" >&2
"$root/scripts/build.sh" >&2
cli="${GRADOVA_BUILD_DIR:-$root/build}/cli/gradova-cli"
if (($#)); then
  exec "$cli" "$@"
fi
exec "$cli" "$root/tests/data/sample_courses.txt"
