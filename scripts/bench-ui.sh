#!/usr/bin/env bash
# Benchmarks of the desktop program, offscreen: loading, viewing, reporting and clearing a million
# courses with peak memory, the same for a 50 MB file and a 10 MB line, and start-up against a
# minimal Qt program that shows one empty dialog.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-bench
"$root/scripts/setup.sh" hyperfine >&2
cmake --preset bench -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target ui_list_bench startup_gradova startup_minimal make_course_file
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

courses=$build/courses_1000000.txt
"$build/bench/make_course_file" 1000000 "$courses"
echo "1,000,000 courses (goals: view within 1 s, peak memory within 500 MB):"
"$build/bench/ui_list_bench" "$courses"

# Hostile sizes: a 50 MB course file, and one line of which the name alone is 10 MB.
large=$build/courses_2200000.txt
"$build/bench/make_course_file" 2200000 "$large"
echo
echo "A 50 MB course file ($(du -m "$large" | cut -f1) MB):"
"$build/bench/ui_list_bench" "$large"
long_line=$build/long_line.txt
{ head -c 10000000 /dev/zero | tr '\0' 'n'; printf ' 2 60\r\n'; } >"$long_line"
echo
echo "A course whose name is 10 MB (repaints must stay quick: cells show their first characters):"
"$build/bench/ui_list_bench" "$long_line"

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
      f"= {ratio:.2f}x (goal: within 1.2x)")
PY
rm -rf "$startup_dir"
