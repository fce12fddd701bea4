#!/usr/bin/env bash
# run.sh [PROGRAM [ARGS...]] -- installs what is missing, builds, and runs a
# program (topdown by default; or sideview, sideview_edit) in its run folder.
source "$(dirname "${BASH_SOURCE[0]}")/scripts/setup.sh"
prog=${1:-topdown}
[ $# -gt 0 ] && shift
setup_packages $RUN_PACKAGES
setup_build
case "$prog" in
  topdown) dir=$BUILD/run/topdown ;;
  sideview|sideview_edit) dir=$BUILD/run/sideview ;;
  *) echo "unknown program: $prog (topdown, sideview or sideview_edit)" >&2; exit 2 ;;
esac
[ -x "$dir/$prog" ] || { echo "$prog is not built yet" >&2; exit 1; }
cd "$dir"
exec "./$prog" "$@"
