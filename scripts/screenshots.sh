#!/usr/bin/env bash
# Builds Gradova and draws each dialog and a message box with the sample courses into
# screenshots/ (or $1) at scale 1, and into its subfolder 2x/ at scale 2; the first page of the
# exported PDF, a record of three terms, is drawn as pdf-report.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/screenshots}
"$root/scripts/setup.sh" poppler-utils >&2
"$root/scripts/build.sh" >&2
for scale in 1 2; do
  dir=$out
  ((scale == 1)) || dir=$out/${scale}x
  QT_SCALE_FACTOR=$scale "${GRADOVA_BUILD_DIR:-$root/build}/ui/gradova-screenshots" "$dir" \
    "$root/tests/data/sample_courses.txt"
done
pdftoppm -r 80 -png -singlefile "$out/GPA report.pdf" "$out/pdf-report"
rm -f "$out/GPA report.pdf" "$out/2x/GPA report.pdf"
