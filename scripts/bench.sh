#!/usr/bin/env bash
# Builds Gradova for speed into build-bench/ and runs the benchmarks: the core steps at 1,000,
# 100,000 and 1,000,000 courses, then gradova-cli on 1,000, 1,000,000 and 10,000,000 courses
# against an awk pass over the same file, which stands for the least work any reader of the file
# must do, and on a course file whose one name is 1 GB.
# Arguments are passed on to core_bench (for example --benchmark_filter=Parse).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-bench

"$root/scripts/setup.sh" hyperfine mawk time >&2
cmake --preset bench -S "$root" -B "$build" >/dev/null
# Only what is measured: the desktop program and the rest are not needed here.
cmake --build "$build" --target core_bench make_course_file gradova-cli

core_json=$build/core_bench.json
# Three repetitions and their medians: this machine is shared, and one slow run of one size
# would otherwise swing a ratio.
"$build/bench/core_bench" --benchmark_repetitions=3 --benchmark_display_aggregates_only=true \
  --benchmark_out="$core_json" --benchmark_out_format=json "$@"

echo
echo "Growth from 100,000 to 1,000,000 courses (goal: within 11x):"
python3 - "$core_json" <<'PY'
import json, sys
seconds_per_unit = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
benchmarks = json.load(open(sys.argv[1]))["benchmarks"]
# The medians when there are repetitions, else the single runs.
has_medians = any(run.get("aggregate_name") == "median" for run in benchmarks)
wanted = "aggregate" if has_medians else "iteration"
runs = {}
for run in benchmarks:
    if run.get("run_type", "iteration") != wanted:
        continue
    if wanted == "aggregate" and run.get("aggregate_name") != "median":
        continue
    name, _, size = run["run_name"].partition("/")
    seconds = run["real_time"] * seconds_per_unit[run["time_unit"]]
    runs.setdefault(name, {})[int(size)] = (seconds, run.get("items_per_second", 0.0))
for name, sizes in runs.items():
    for size in sorted(sizes):
        print(f"  {name}/{size}: {sizes[size][1]:,.0f} items/s")
    if 100_000 in sizes and 1_000_000 in sizes:
        ratio = sizes[1_000_000][0] / sizes[100_000][0]
        verdict = "ok" if ratio <= 11 else "OVER GOAL"
        print(f"  {name}: time(1,000,000) / time(100,000) = {ratio:.2f}x  {verdict}")
PY

echo
echo "gradova-cli against mawk (goals: tsv within 2x mawk's CPU time at 1M, text within 2x tsv,"
echo "1k under 20 ms wall, memory within the file's size plus 50 MB):"
python3 "$root/bench/compare_cli.py" "$build/cli/gradova-cli" "$build/bench/make_course_file" "$build" 11
