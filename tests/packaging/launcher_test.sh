#!/usr/bin/env bash
# gradova-launcher, which the desktop entry starts: the folder it makes and enters, and how it
# hands over to the program beside it.
#   launcher_test.sh LAUNCHER_SCRIPT
set -uo pipefail
source "$(dirname "$0")/test_lib.sh"
launcher=$1

# The launcher is copied beside a stand-in for the program, as it is installed beside the real
# one. The stand-in records the folder it runs in and its arguments, and exits with the status
# it is given. The space in the path is on purpose.
bin="$work/bin dir"
mkdir -p "$bin"
cp "$launcher" "$bin/gradova-launcher"
cat >"$bin/gradova" <<'STUB'
#!/bin/sh
{ pwd -P; printf '%s\n' "$@"; } >"$GRADOVA_STUB_RECORD"
exit "${GRADOVA_STUB_STATUS:-0}"
STUB
chmod +x "$bin/gradova-launcher" "$bin/gradova"

# Runs the launcher for one case in a fresh home, from an unrelated current directory, with the
# arguments `one` and `two words`. XDG is "-" for an unset XDG_DATA_HOME; HOME_SET is no for an
# unset HOME; CALL is how the launcher is named: absolute, relative or path (found in PATH).
# Leaves: case_dir, status, record (the stand-in's record, empty if it did not run).
launch() {
  local name=$1 xdg=$2 home_set=$3 call=$4
  case_dir=$work/$name
  mkdir -p "$case_dir/home" "$case_dir/elsewhere"
  local -a environment=(env -u XDG_DATA_HOME -u HOME "PATH=$PATH"
    "GRADOVA_STUB_RECORD=$case_dir/record" "GRADOVA_STUB_STATUS=${stub_status:-0}")
  [[ $home_set == yes ]] && environment+=("HOME=$case_dir/home")
  [[ $xdg != - ]] && environment+=("XDG_DATA_HOME=${xdg//@CASE@/$case_dir}")
  local program
  case $call in
  absolute) program=$bin/gradova-launcher ;;
  relative) program="../../bin dir/gradova-launcher" ;;
  path)
    program=gradova-launcher
    environment+=("PATH=$bin:$PATH")
    ;;
  esac
  (cd "$case_dir/elsewhere" && "${environment[@]}" "$program" one "two words") \
    >"$case_dir/out" 2>&1
  status=$?
  record=$(cat "$case_dir/record" 2>/dev/null)
}

# Octal permissions of a folder.
mode() { stat -c %a "$1"; }

# Cases that start the program: name | XDG_DATA_HOME (@CASE@ is the case's folder) | how it is
# called | the folder the program must run in, under the case's folder.
started_cases=(
  "XdgDataHomeSet|@CASE@/data|absolute|data/gradova"
  "XdgDataHomeUnset|-|absolute|home/.local/share/gradova"
  "XdgDataHomeEmpty||absolute|home/.local/share/gradova"
  "XdgDataHomeRelativeIsIgnored|data|absolute|home/.local/share/gradova"
  "XdgDataHomeWithSpaces|@CASE@/my data|absolute|my data/gradova"
  "CalledByRelativePath|@CASE@/data|relative|data/gradova"
  "CalledThroughPath|@CASE@/data|path|data/gradova"
)
for row in "${started_cases[@]}"; do
  IFS='|' read -r name xdg call folder <<<"$row"
  launch "$name" "$xdg" yes "$call"
  expected=$case_dir/$folder
  expect_eq "$name: exit status" "$status" 0
  if [[ ! -d $expected ]]; then
    fail "$name: $expected was not made ($(cat "$case_dir/out"))"
    continue
  fi
  expect_eq "$name: program's folder and arguments" "$record" \
    "$(cd "$expected" && pwd -P)"$'\none\ntwo words'
  expect_eq "$name: permissions of the new folder" "$(mode "$expected")" 700
  [[ -e $case_dir/elsewhere/data ]] && fail "$name: a folder was made in the current directory"
done

# The folders made on the way to a missing XDG_DATA_HOME are private too.
launch ParentsArePrivate "@CASE@/deep/data" yes absolute
expect_eq "ParentsArePrivate: exit status" "$status" 0
expect_eq "ParentsArePrivate: permissions of a parent" "$(mode "$case_dir/deep/data")" 700

# A folder from an earlier start is used as it is: its files stay, its permissions too.
name=FolderFromEarlierStart
mkdir -p "$work/$name/data/gradova"
chmod 755 "$work/$name/data/gradova"
printf 'rules of an earlier start' >"$work/$name/data/gradova/rules"
launch "$name" "@CASE@/data" yes absolute
expect_eq "$name: exit status" "$status" 0
expect_eq "$name: program's folder" "${record%%$'\n'*}" "$(cd "$case_dir/data/gradova" && pwd -P)"
expect_eq "$name: rules kept" "$(cat "$case_dir/data/gradova/rules")" "rules of an earlier start"
expect_eq "$name: permissions kept" "$(mode "$case_dir/data/gradova")" 755

# The program's exit status is the launcher's: it replaces the launcher.
stub_status=3 launch ExitStatusPassedOn "@CASE@/data" yes absolute
expect_eq "ExitStatusPassedOn: exit status" "$status" 3

# Cases where there is no folder to go to: the program must not start in some other folder.
# name | XDG_DATA_HOME | HOME set | what the message names
refused_cases=(
  "NeitherXdgDataHomeNorHome|-|no|HOME"
  "FolderBlockedByFile|@CASE@/file|yes|file/gradova"
)
for row in "${refused_cases[@]}"; do
  IFS='|' read -r name xdg home_set named <<<"$row"
  mkdir -p "$work/$name"
  : >"$work/$name/file"
  launch "$name" "$xdg" "$home_set" absolute
  expect_eq "$name: exit status" "$status" 1
  expect_eq "$name: program started" "$record" ""
  grep -q "^gradova-launcher: .*$named" "$case_dir/out" ||
    fail "$name: message does not name $named: $(cat "$case_dir/out")"
done

finish
