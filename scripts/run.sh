#!/usr/bin/env bash
# Sets up, builds and starts Gradova in the current directory, where it keeps `rules` and
# "GPA report.html". Without a display it shows the sample courses' GPA table with gradova-cli.
#   ./scripts/run.sh              the desktop program
#   ./scripts/run.sh --cli ARGS   gradova-cli with ARGS (default: the sample course file)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${GRADOVA_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh" >&2
"$root/scripts/build.sh" >&2

run_cli() {
  if (($#)); then
    exec "$build/cli/gradova-cli" "$@"
  fi
  exec "$build/cli/gradova-cli" "$root/tests/data/sample_courses.txt"
}

if [[ ${1:-} == --cli ]]; then
  shift
  run_cli "$@"
fi
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} && -z ${QT_QPA_PLATFORM:-} ]]; then
  echo "run.sh: no display; showing the sample courses with gradova-cli instead" >&2
  run_cli
fi
exec "$build/ui/gradova"
