# Shared by the packaging tests (sourced): failures, checks and the temporary folder.

# CTest reads this exit status as "skipped" (SKIP_RETURN_CODE).
readonly SKIP=77
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# expect_eq NAME ACTUAL EXPECTED
expect_eq() {
  if [[ $2 != "$3" ]]; then
    fail "$1: got '$2', expected '$3'"
  fi
}

# expect_file PATH: a regular file is there.
expect_file() {
  [[ -f $1 ]] || fail "missing file $1"
}

# require_tools TOOL...: without one of them the test is skipped on a developer's machine, but
# fails under CI, whose set-up installs them all.
require_tools() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      if [[ ${CI:-} == true ]]; then
        echo "FAIL: $tool is not installed (scripts/test.sh installs it)" >&2
        exit 1
      fi
      echo "SKIP: $tool is not installed" >&2
      exit "$SKIP"
    fi
  done
}

# A fresh folder for this test, removed when it ends.
work=$(mktemp -d "${TMPDIR:-/tmp}/gradova-test.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Ends the test with the verdict.
finish() {
  if ((failures)); then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "all checks passed"
  exit 0
}
