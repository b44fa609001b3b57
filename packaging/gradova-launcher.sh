#!/bin/sh
# Starts Gradova from the desktop menu. Gradova keeps `rules` and "GPA report.html" in the
# directory it starts in, which for a menu start would be the home folder; this gives them a
# folder of their own, $XDG_DATA_HOME/gradova (~/.local/share/gradova by default), made on first
# use. Started from a terminal, `gradova` itself still works in the current directory.
set -eu

# The program installed beside this script, not whichever `gradova` comes first in PATH; found
# before the change of directory, which would break a relative path to this script.
here=$(CDPATH='' cd -- "$(dirname -- "$0")" && pwd)

# The XDG base directory rules: a relative XDG_DATA_HOME counts as unset, and the folders made
# under it are private to the user.
case ${XDG_DATA_HOME:-} in
/*) data_home=$XDG_DATA_HOME ;;
*)
  if [ -z "${HOME:-}" ]; then
    echo "gradova-launcher: neither XDG_DATA_HOME nor HOME is set" >&2
    exit 1
  fi
  data_home=$HOME/.local/share
  ;;
esac
folder=$data_home/gradova
if ! (umask 077 && mkdir -p -- "$folder") || ! cd -- "$folder"; then
  echo "gradova-launcher: cannot make or enter $folder" >&2
  exit 1
fi

exec "$here/gradova" "$@"
