#!/usr/bin/env bash
# The worked example's "GPA report.html" as a reader sees it: opened in headless Chromium under
# an English locale, whose default encoding is windows-1252, not GBK. Every cell of the table
# Chromium built must read as expected; a wrong charset declaration shows here as mojibake.
#   report_browser_test.sh REPORT_FILE EXPECTED_CELLS_TSV
set -uo pipefail
source "$(dirname "$0")/test_lib.sh"
require_tools chromium iconv

report=$1
expected_cells=$2
# The page must really be GBK, or a browser that took it for UTF-8 would pass too.
if iconv -f UTF-8 -t UTF-8 "$report" >/dev/null 2>&1; then
  fail "$report is valid UTF-8; the check needs the GBK bytes the program writes"
fi

# The name the program gives the page, with its space.
mkdir -p "$work/page" "$work/home"
cp "$report" "$work/page/GPA report.html"
# A clean environment: no Chinese locale or language anywhere, a fresh profile, no network.
env -i PATH=/usr/bin:/bin HOME="$work/home" LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 LANGUAGE=en_US \
  timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-background-networking \
  --disable-component-update --disable-sync --no-first-run --lang=en-US \
  --user-data-dir="$work/profile" --dump-dom "file://$work/page/GPA%20report.html" \
  >"$work/dom.html" 2>"$work/chromium.log"
status=$?
if ((status)) || [[ ! -s $work/dom.html ]]; then
  tail -n 20 "$work/chromium.log" >&2
  fail "chromium exited with $status and dumped no DOM"
  finish
fi

# One line per table row, its cells' texts joined by TABs.
tr -d '\r\n' <"$work/dom.html" | sed 's|<tr>|\n<tr>|g' | grep '^<tr>' |
  sed -e 's|</tr>.*||' -e 's|^<tr>||' -e 's|<td>\([^<]*\)</td>|\1\t|g' -e 's|\t$||' \
    >"$work/cells.tsv"
if ! diff -u "$expected_cells" "$work/cells.tsv" >"$work/cells.diff"; then
  cat "$work/cells.diff" >&2
  fail "the table's cells as Chromium read them differ from the expected texts"
fi
grep -q '<title>GPA report</title>' "$work/dom.html" || fail "title is not 'GPA report'"
grep -q '<!-- 本页面由 Gradova 1.0 生成-->' "$work/dom.html" ||
  fail "the closing comment does not read '本页面由 Gradova 1.0 生成'"
grep -q '<a href="https://gradova.example.org/">https://gradova.example.org/</a>' \
  "$work/dom.html" || fail "the home page link is not there"
finish
