#!/usr/bin/env bash
# Benchmarks of the desktop program, offscreen: loading and clearing 100,000 courses with peak
# memory, and start-up against a minimal Qt program that shows one empty dialog.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-bench
"$root/scripts/setup.sh" hyperfine >&2
cmake --preset bench -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target ui_list_bench startup_gradova startup_minimal make_course_file
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

courses=$build/courses_100000.txt
"$build/bench/make_course_file" 100000 "$courses"
echo "100,000 courses (goals: load, clear and report each well under 1 s, view well under 2 s,"
echo "peak memory under 150 MB):"
"$build/bench/ui_list_bench" "$courses"

startup_dir=$(mktemp -d)
cd "$startup_dir"
echo
hyperfine --warmup 3 --runs 20 --export-json "$build/startup.json" \
  -n gradova "$build/bench/startup_gradova" -n minimal "$build/bench/startup_minimal"
python3 - "$build/startup.json" <<'PY'
import json, sys
gradova, minimal = json.load(open(sys.argv[1]))["results"]
ratio = gradova["mean"] / minimal["mean"]
print(f"start-up: {gradova['mean'] * 1000:.1f} ms against {minimal['mean'] * 1000:.1f} ms "
      f"= {ratio:.2f}x (goal: within 1.5x)")
PY
rm -rf "$startup_dir"
