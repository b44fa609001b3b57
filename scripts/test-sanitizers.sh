#!/usr/bin/env bash
# Builds Gradova with clang, AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ (or
# $GRADOVA_ASAN_BUILD_DIR) and runs every test there, the widget tests offscreen. Any sanitizer
# report ends its test with a failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${GRADOVA_ASAN_BUILD_DIR:-$root/build-asan}
"$root/scripts/setup.sh" clang libclang-rt-14-dev
cmake --preset asan -S "$root" -B "$build" >/dev/null
cmake --build "$build"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
