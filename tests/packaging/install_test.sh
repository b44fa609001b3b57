#!/usr/bin/env bash
# `cmake --install` of the build into a fresh prefix: the programs, the launcher, the desktop
# entry, the icons and the metainfo, each where the desktop looks for it and each valid.
#   install_test.sh BUILD_DIR
set -uo pipefail
source "$(dirname "$0")/test_lib.sh"
source "$(dirname "$0")/installed_tree.sh"
require_tools desktop-file-validate appstreamcli readelf

cmake --install "$1" --prefix "$work/prefix" >"$work/install.log" ||
  { cat "$work/install.log" >&2; fail "cmake --install failed"; finish; }
check_installed_tree "$work/prefix"
finish
