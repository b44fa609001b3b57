#!/usr/bin/env bash
# The Debian package CPack builds: its control data and dependencies, its contents, and the
# programs run from a fresh root it was unpacked into.
#   deb_test.sh BUILD_DIR SAMPLE_COURSE_FILE
set -uo pipefail
source "$(dirname "$0")/test_lib.sh"
source "$(dirname "$0")/installed_tree.sh"
require_tools cpack dpkg-deb dpkg-shlibdeps file desktop-file-validate appstreamcli readelf

build=$1
sample=$2
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; finish; }
deb=$work/out/gradova_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || { fail "no $deb: $(ls "$work/out")"; finish; }

expect_eq "Package" "$(dpkg-deb -f "$deb" Package)" gradova
expect_eq "Version" "$(dpkg-deb -f "$deb" Version)" "$version"
expect_eq "Section" "$(dpkg-deb -f "$deb" Section)" education

# Depends: the libraries the programs link, each with a lowest version, and each a package this
# system knows (the build linked against them), so that a misspelt name cannot pass.
depends=$(dpkg-deb -f "$deb" Depends)
declare -A depended=()
IFS=',' read -ra entries <<<"$depends"
for entry in "${entries[@]}"; do
  entry=${entry# }
  name=${entry%% *}
  depended[$name]=1
  [[ $entry =~ ^[a-z0-9.+-]+\ \(\>=\ [^\)]+\)$ ]] || fail "dependency without a version: '$entry'"
  dpkg-query -W "$name" >/dev/null 2>&1 || fail "dependency on an unknown package $name"
done
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-translations-l10n \
  libminizip1 libfreexl1; do
  [[ -n ${depended[$library]:-} ]] || fail "Depends lacks $library: $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
[[ $recommends == *fonts-noto-cjk* ]] || fail "Recommends lacks the Chinese fonts: $recommends"

# Contents: everything under /usr, owned by root.
dpkg-deb -c "$deb" >"$work/contents"
expect_eq "entries not owned by root" "$(awk '$2 != "root/root"' "$work/contents")" ""
expect_eq "entries outside /usr" \
  "$(awk '$6 != "./" && $6 != "./usr/" && $6 !~ /^\.\/usr\//' "$work/contents")" ""

root=$work/root
dpkg-deb -x "$deb" "$root"
check_installed_tree "$root/usr"
# Every library the programs need is found on this system.
missing=$(ldd "$root/usr/bin/gradova" "$root/usr/bin/gradova-cli" | grep 'not found')
expect_eq "libraries gradova cannot find" "$missing" ""
"$root/usr/bin/gradova-cli" --format tsv "$sample" >"$work/table" ||
  fail "the unpacked gradova-cli failed on the sample courses"
grep -q $'^总计/加权平均\t15\\.0\t89\\.2\t3\\.20\t' "$work/table" ||
  fail "the unpacked gradova-cli printed no totals row: $(cat "$work/table")"
finish
