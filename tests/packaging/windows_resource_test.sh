#!/usr/bin/env bash
# The Windows resource script, compiled with MinGW's resource compiler against the Windows
# headers and read back: icon 128 with its four images and the version data, whose Chinese
# texts must survive the script's UTF-8 code page.
#   windows_resource_test.sh RESOURCE_SCRIPT
set -uo pipefail
source "$(dirname "$0")/test_lib.sh"
windres=x86_64-w64-mingw32-windres
headers=/usr/share/mingw-w64/include
require_tools "$windres" cpp
if [[ ! -f $headers/windows.h ]]; then
  [[ ${CI:-} == true ]] && { echo "FAIL: no $headers/windows.h" >&2; exit 1; }
  echo "SKIP: no $headers/windows.h" >&2
  exit "$SKIP"
fi

# The compiler's own preprocessor would be MinGW's gcc; the system's cpp does, told it is
# preprocessing for 64-bit Windows. No code page option: the script must name its own.
if ! "$windres" --preprocessor=cpp --preprocessor-arg=-DRC_INVOKED \
  --preprocessor-arg=-D_WIN32 --preprocessor-arg=-D_WIN64 --preprocessor-arg=-nostdinc \
  -I "$headers" -O res -i "$1" -o "$work/gradova.res" 2>"$work/windres.log"; then
  cat "$work/windres.log" >&2
  fail "$1 does not compile"
  finish
fi
"$windres" -i "$work/gradova.res" -O rc -o "$work/decompiled.rc"

# How the decompiled script writes a text: plain when it is ASCII, else as UTF-16 code units.
windres_string() {
  local text=$1
  if LC_ALL=C grep -q '^[ -~]*$' <<<"$text"; then
    printf '"%s"' "$text"
    return
  fi
  printf 'L"'
  local unit
  for unit in $(printf %s "$text" | iconv -f UTF-8 -t UTF-16BE | od -An -v -tx2 --endian=big); do
    if ((16#$unit < 0x80)); then
      printf "\\x${unit:2}"
    else
      printf '\\x%x' "$((16#$unit))"
    fi
  done
  printf '"'
}

# name | value
version_values=(
  "FileDescription|GPA计算程序"
  "ProductName|Gradova"
  "OriginalFilename|Gradova.exe"
  "FileVersion|1.0.0.1"
  "ProductVersion|1.0.0.1"
  "LegalCopyright|版权所有 (C) 2026 Gradova 开发者"
)
for row in "${version_values[@]}"; do
  IFS='|' read -r name value <<<"$row"
  expected="VALUE \"$name\", $(windres_string "$value")"
  grep -qF -- "$expected" "$work/decompiled.rc" ||
    fail "version value $name: no line '$expected' in: $(grep "\"$name\"" "$work/decompiled.rc")"
done
grep -q '^ *BLOCK "080404B0"$' "$work/decompiled.rc" ||
  fail "the version texts are not in the Chinese (PRC), Unicode block"
grep -q '^ *VALUE "Translation", 0x804, 1200$' "$work/decompiled.rc" ||
  fail "the translation is not Chinese (PRC), Unicode"
grep -q '^ FILEVERSION 1, 0, 0, 1$' "$work/decompiled.rc" || fail "FILEVERSION is not 1,0,0,1"
grep -q '^ PRODUCTVERSION 1, 0, 0, 1$' "$work/decompiled.rc" || fail "PRODUCTVERSION is not 1,0,0,1"
# LANGUAGE 4, 2 is LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED; every resource follows it.
expect_eq "resource languages" "$(grep '^LANGUAGE' "$work/decompiled.rc" | sort -u)" "LANGUAGE 4, 2"

# Icon group 128: 16, 32, 48 and 256 pixels (256 is written as 0), 32 bits each.
group=$(sed -n '/^128 14 \/\* RT_GROUP_ICON \*\//,/^END/p' "$work/decompiled.rc")
[[ -n $group ]] || fail "no icon group 128"
expect_eq "icon group 128 sizes" \
  "$(grep -o '"\\[0-7]*\\[0-7]*\\000\\000", 1, 32' <<<"$group" | cut -c2-9 | tr '\n' ' ')" \
  '\020\020 \040\040 \060\060 \000\000 '
finish
