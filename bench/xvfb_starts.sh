# xvfb_starts.sh -- starts each program many times in a row, each time on a
# fresh X server started the way the end-to-end tests start theirs
# (e2e_xvfb of tests/e2e/lib.sh), waits for its window, ends it with its own
# keys, and counts the starts that failed with "Couldn't start Allegro" (or
# any other way). A run takes a few seconds a start: run it niced.
#   bash bench/xvfb_starts.sh BUILD_DIR [STARTS] [PROGRAM...]
# (default 200 starts of topdown, sideview and sideview_edit). Exit status 1
# if any start failed.
BUILD=${1:?build folder}
STARTS=${2:-200}
shift 2 2>/dev/null
PROGRAMS=${*:-topdown sideview sideview_edit}
source "$(dirname "$0")/../tests/e2e/lib.sh"
RUN=$(cd "$BUILD/run" && pwd) || exit 1
WORK=$(mktemp -d /tmp/starts.XXXXXX)
trap e2e_cleanup EXIT

# one_start PROGRAM: 0 if it showed its window and ended with status 0.
one_start() {
  local prog=$1 i
  E2E_XVFB=
  for i in 1 2 3; do
    e2e_xvfb 640x480 && break
    kill "$E2E_XVFB" 2>/dev/null
    wait "$E2E_XVFB" 2>/dev/null
    E2E_XVFB=
  done
  [ -n "$E2E_XVFB" ] || { echo "Xvfb did not start" >"$WORK/err.txt"; return 1; }
  (cd "$WORK/$prog" && exec ./"$prog" >out.txt 2>"$WORK/err.txt") &
  E2E_PID=$!
  local shown=
  for i in $(seq 1 100); do
    kill -0 "$E2E_PID" 2>/dev/null || break
    xdotool search --name "^$prog\$" >/dev/null 2>&1 && { shown=1; break; }
    sleep 0.1
  done
  if [ -n "$shown" ]; then
    sleep 0.5
    case $prog in
      topdown) e2e_key Escape Escape ;;
      sideview) e2e_hold Escape 0.5 ;;
      sideview_edit) e2e_key Escape ;;
    esac
  fi
  for i in $(seq 1 100); do
    kill -0 "$E2E_PID" 2>/dev/null || break
    sleep 0.1
  done
  local rc=1
  if ! kill -0 "$E2E_PID" 2>/dev/null; then
    wait "$E2E_PID"
    rc=$?
    E2E_PID=
  fi
  e2e_cleanup_program
  kill "$E2E_XVFB" 2>/dev/null
  wait "$E2E_XVFB" 2>/dev/null
  E2E_XVFB=
  [ -n "$shown" ] && [ "$rc" = 0 ]
}

# Stops a program still running, as e2e_cleanup does.
e2e_cleanup_program() {
  [ -n "$E2E_PID" ] || return 0
  kill "$E2E_PID" 2>/dev/null
  sleep 0.5
  kill -9 "$E2E_PID" 2>/dev/null
  wait "$E2E_PID" 2>/dev/null
  E2E_PID=
}

status=0
for prog in $PROGRAMS; do
  case $prog in
    topdown) cp -r "$RUN/topdown" "$WORK/topdown" ;;
    sideview | sideview_edit) cp -r "$RUN/sideview" "$WORK/$prog" ;;
    *) echo "unknown program $prog" >&2; exit 2 ;;
  esac
  failed=0 allegro=0
  for n in $(seq 1 "$STARTS"); do
    if ! one_start "$prog"; then
      failed=$((failed + 1))
      grep -q "Couldn't start Allegro" "$WORK/err.txt" && allegro=$((allegro + 1))
      echo "$prog start $n failed: $(grep -v '^ALSA' "$WORK/err.txt" | head -2 | tr '\n' ' ')" >&2
    fi
  done
  echo "$prog: $STARTS starts on fresh X servers, $failed failed ($allegro with \"Couldn't start Allegro\")"
  [ $failed = 0 ] || status=1
done
exit $status
