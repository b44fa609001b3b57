#!/usr/bin/env bash
# doc/reliability.md names, for every case it lists, the tests that try it. Every such name must
# be a test of this build (a name ending in * stands for all the tests it starts), so the table
# cannot claim a test that was renamed or removed.
# Usage: reliability_doc_test.sh DOC BUILD_DIR
set -euo pipefail
doc=$1
build=$2
tests=$(ctest --test-dir "$build" -N | sed -n 's/^ *Test *#[0-9]*: //p' | sed 's/  # GetParam.*//')
# Test names are written in backticks: Suite.Name, Prefix/Suite.Name/Row, or ctest names such as
# packaging.deb.
names=$(grep -o '`[A-Za-z][A-Za-z0-9_/]*\.[A-Za-z0-9_/.*-]*`' "$doc" | tr -d '`' | sort -u)
[[ -n $names ]] || { echo "no test names found in $doc" >&2; exit 1; }
missing=0
while read -r name; do
  if [[ $name == *'*' ]]; then
    prefix=${name%\*}
    grep -qF -- "$prefix" <<<"$tests" || { echo "no test starts with: $prefix" >&2; missing=1; }
  else
    grep -qxF -- "$name" <<<"$tests" || { echo "no such test: $name" >&2; missing=1; }
  fi
done <<<"$names"
exit $missing
