# Checks of an installed Gradova (sourced after test_lib.sh), the same for `cmake --install` and
# for the Debian package: check_installed_tree PREFIX, where PREFIX holds bin/ and share/.

readonly app_id=org.example.gradova
# What the desktop shows must be the program's own version data.
readonly product_name=Gradova
readonly file_description=GPA计算程序
readonly version=1.0.0.1

# Every file an install puts in place, and nothing else.
readonly installed_files="bin/gradova
bin/gradova-cli
bin/gradova-launcher
share/applications/$app_id.desktop
share/icons/hicolor/16x16/apps/$app_id.png
share/icons/hicolor/256x256/apps/$app_id.png
share/icons/hicolor/32x32/apps/$app_id.png
share/icons/hicolor/48x48/apps/$app_id.png
share/icons/hicolor/scalable/apps/$app_id.svg
share/metainfo/$app_id.metainfo.xml"

# The width and height a PNG file's header gives, as "W H".
png_size() {
  od -An -v -tu1 -j16 -N8 "$1" | awk '{print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4,
    $5 * 16777216 + $6 * 65536 + $7 * 256 + $8}'
}

# The value of KEY in a desktop entry.
desktop_value() { sed -n "s/^$2=//p" "$1"; }

# The text of the first ELEMENT in an XML file whose elements sit one to a line.
xml_text() { sed -n "s|^ *<$2>\(.*\)</$2>\$|\1|p" "$1" | head -n 1; }

check_installed_tree() {
  local prefix=$1
  expect_eq "installed files" "$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' |
    LC_ALL=C sort)" "$(LC_ALL=C sort <<<"$installed_files")"
  local program
  for program in gradova gradova-cli gradova-launcher; do
    [[ -x $prefix/bin/$program ]] || fail "bin/$program is not executable"
  done
  # No library search path of their own, not even into the build tree.
  expect_eq "library search paths" \
    "$(readelf -d "$prefix"/bin/gradova{,-cli} | grep -E 'RPATH|RUNPATH')" ""
  local xlsx
  xlsx=$(dirname "${BASH_SOURCE[0]}")/../data/transcript.xlsx
  "$prefix/bin/gradova-cli" --format tsv "$xlsx" 2>/dev/null | grep -q $'^高等数学\t5\t95\t4\.0\t' ||
    fail "the installed gradova-cli did not read $xlsx"
  expect_eq "gradova-cli --version" "$("$prefix/bin/gradova-cli" --version)" \
    "gradova-cli $version"

  # Desktop entry: valid, started through the launcher, with the icon the theme holds.
  local desktop=$prefix/share/applications/$app_id.desktop
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
  expect_eq "desktop entry Name" "$(desktop_value "$desktop" Name)" "$product_name"
  expect_eq "desktop entry GenericName[zh_CN]" \
    "$(desktop_value "$desktop" 'GenericName\[zh_CN\]')" "$file_description"
  expect_eq "desktop entry Exec" "$(desktop_value "$desktop" Exec)" gradova-launcher
  expect_eq "desktop entry TryExec" "$(desktop_value "$desktop" TryExec)" gradova-launcher
  expect_eq "desktop entry Icon" "$(desktop_value "$desktop" Icon)" "$app_id"

  # Icons: each PNG as large as the theme folder it is in says.
  local size
  for size in 16 32 48 256; do
    expect_eq "icon ${size}x$size" \
      "$(png_size "$prefix/share/icons/hicolor/${size}x$size/apps/$app_id.png")" "$size $size"
  done
  grep -q '^<svg xmlns="http://www.w3.org/2000/svg" .*viewBox=' \
    "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg" || fail "scalable icon is no SVG"

  # Metainfo: valid, and it describes this program, this version, this desktop entry.
  local metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
  appstreamcli validate --no-net --pedantic "$metainfo" ||
    fail "appstreamcli validate rejects $metainfo"
  expect_eq "metainfo id" "$(xml_text "$metainfo" id)" "$app_id"
  expect_eq "metainfo name" "$(xml_text "$metainfo" name)" "$product_name"
  expect_eq "metainfo summary" "$(xml_text "$metainfo" summary)" "$file_description"
  grep -q "($file_description)" "$metainfo" || fail "metainfo description lacks $file_description"
  expect_eq "metainfo release" \
    "$(sed -n 's|^ *<release version="\([^"]*\)".*|\1|p' "$metainfo")" "$version"
  expect_eq "metainfo launchable" \
    "$(sed -n 's|^ *<launchable type="desktop-id">\(.*\)</launchable>$|\1|p' "$metainfo")" \
    "$app_id.desktop"
  local binary
  for binary in $(sed -n 's|^ *<binary>\(.*\)</binary>$|\1|p' "$metainfo"); do
    [[ -x $prefix/bin/$binary ]] || fail "metainfo names a binary bin/$binary that is not there"
  done
}
