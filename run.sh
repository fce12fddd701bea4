#!/usr/bin/env bash
# run.sh [PROGRAM [OPTIONS...]] -- installs what is missing, builds the
# three programs and their data (nothing else: no tests), and runs a program
# (topdown by default; or sideview, sideview_edit) in its run folder.
# run.sh --install [PREFIX] installs them for the current user (~/.local),
# run.sh --uninstall [PREFIX] removes that install again.
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

Installing:
  ./run.sh --install [PREFIX]    builds and installs the three programs under
                                 PREFIX (~/.local by default): commands in
                                 PREFIX/bin, menu entries and icons in
                                 PREFIX/share
  ./run.sh --uninstall [PREFIX]  removes exactly what the install put there
EOF_USAGE
}

# install_programs PREFIX
# The build's own install, quiet unless it fails.
install_programs() {
  local prefix=$1 log
  source "$(dirname "${BASH_SOURCE[0]}")/scripts/setup.sh"
  setup_packages $RUN_PACKAGES
  setup_programs
  log=$(mktemp)
  if ! cmake --install "$BUILD" --prefix "$prefix" >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    echo "run.sh: the install failed" >&2
    exit 1
  fi
  rm -f "$log"
  local bin=$prefix/bin
  [ "$prefix" = /usr ] && bin=/usr/games
  echo "Installed topdown, sideview and sideview_edit into $prefix:"
  echo "  the commands in $bin, the menu entries in $prefix/share/applications,"
  echo "  the programs and their data in $prefix/lib/tilegames."
  echo "Each player's courses, levels, times and logs are kept in"
  echo "  ${XDG_DATA_HOME:-$HOME/.local/share}/tilegames/ (./run.sh --uninstall leaves them)."
  case ":$PATH:" in
    *":$bin:"*) ;;
    *) echo "Note: $bin is not on your PATH; add it to start the programs by name." ;;
  esac
}

case "${1:-}" in
  --install|--uninstall)
    prefix=${2:-$HOME/.local}
    [ "${prefix:0:1}" = / ] || prefix=$(pwd)/$prefix
    if [ "$1" = --install ]; then
      install_programs "$prefix"
    else
      bash "$(dirname "${BASH_SOURCE[0]}")/scripts/uninstall.sh" "$prefix"
    fi
    exit $? ;;
esac

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
