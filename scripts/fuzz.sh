#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# into build-fuzz/ (or $GRADOVA_FUZZ_BUILD_DIR) and runs each for SECONDS, starting from a copy of
# its seed corpus in fuzz/corpus/, so the repository's corpus stays as it is. Fails on any finding:
# a broken invariant, a sanitizer report, a crash, a leak, or an input that runs for 10 s. The
# input of a finding is kept in build-fuzz/findings/; rerun it with build-fuzz/fuzz/<target>_fuzz
# <file>. Each target's log is build-fuzz/fuzz-logs/<target>.log.
#   ./scripts/fuzz.sh [SECONDS [TARGET...]]    SECONDS defaults to 30; TARGET as in fuzz/corpus/
#   GRADOVA_FUZZ_JOBS=2 ./scripts/fuzz.sh 600  two targets at a time
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${GRADOVA_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-30}
(($# == 0)) || shift
jobs=${GRADOVA_FUZZ_JOBS:-1}

targets=("$@")
if ((${#targets[@]} == 0)); then
  for dir in "$root"/fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

"$root/scripts/setup.sh" clang libclang-rt-14-dev >&2
cmake --preset fuzz -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target fuzz_targets

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$build/findings" "$build/fuzz-logs"
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

# Runs one target and writes its one-line summary to $work/<target>.result.
run_target() {
  local target=$1
  local corpus=$work/corpus-$target
  local log=$build/fuzz-logs/$target.log
  mkdir -p "$corpus"
  cp -R "$root/fuzz/corpus/$target/." "$corpus/"
  local verdict=ok
  "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/findings/$target-" "$corpus" >"$log" 2>&1 || verdict=FAILED
  local runs coverage
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  coverage=$(grep -o 'cov: [0-9]* ft: [0-9]* corp: [0-9]*' "$log" | tail -n 1 || true)
  printf '%-16s %-6s %12s runs  %s\n' "$target" "$verdict" "${runs:-?}" "${coverage:-no coverage}" \
    >"$work/$target.result"
  if [[ $verdict != ok ]]; then
    {
      grep -E -m 3 'invariant broken|ERROR: |SUMMARY: ' "$log" || true
      grep -m 1 'Test unit written to' "$log" || true
    } | sed 's/^/    /' >>"$work/$target.result"
  fi
}

echo "Fuzzing ${#targets[@]} targets for $seconds s each, $jobs at a time:"
running=0
for target in "${targets[@]}"; do
  if [[ ! -x $build/fuzz/${target}_fuzz ]]; then
    echo "fuzz.sh: no target $target" >&2
    exit 2
  fi
  run_target "$target" &
  running=$((running + 1))
  if ((running >= jobs)); then
    wait -n
    running=$((running - 1))
  fi
done
wait

passed=0
failed=0
for target in "${targets[@]}"; do
  cat "$work/$target.result" 2>/dev/null || echo "$target: no result"
  if grep -q '^[^ ]* *ok ' "$work/$target.result" 2>/dev/null; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
((failed == 0))
