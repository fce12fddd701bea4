#!/usr/bin/env bash
# run.sh [PROGRAM [OPTIONS...]] -- installs what is missing, builds the
# three programs and their data (nothing else: no tests), and runs a program
# (topdown by default; or sideview, sideview_edit) in its run folder.
# ./run.sh --help lists the programs and their options.
usage() {
  cat <<'EOF_USAGE'
Usage: ./run.sh [PROGRAM [OPTIONS...]]

Installs the Debian packages that are missing, builds the programs and
their data into build/, and runs PROGRAM in its folder under build/run/.

Programs:
  topdown          the race seen from above, with its course editor (default)
  sideview         the side-view platform game; a FILE.mid argument plays
                   that tune instead of its own
  sideview_edit    sideview's level editor; -four builds four.bmp and ends

Options of every program:
  --window         run in a window
  --fullscreen     run on the full screen
  --scale=N        enlarge the picture N times (a whole number)
  --help           the program's own options

Example: ./run.sh sideview --scale=2
EOF_USAGE
}

prog=${1:-topdown}
case "$prog" in
  -h|--help) usage; exit 0 ;;
  topdown) dir=topdown ;;
  sideview|sideview_edit) dir=sideview ;;
  *)
    echo "run.sh: unknown program \"$prog\": topdown, sideview or sideview_edit (./run.sh --help)" >&2
    exit 2 ;;
esac
[ $# -gt 0 ] && shift

source "$(dirname "${BASH_SOURCE[0]}")/scripts/setup.sh"
setup_packages $RUN_PACKAGES
setup_programs
[ -x "$BUILD/run/$dir/$prog" ] || { echo "$prog is not built yet" >&2; exit 1; }
cd "$BUILD/run/$dir"
exec "./$prog" "$@"
