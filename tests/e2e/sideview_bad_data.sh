# sideview_bad_data.sh -- sideview ended by bad data says why: after the
# credits, Space starts the chain of levels; a link missing from "hops.txt",
# a link to an entry point the level lacks, a level cut short and a level
# that isn't there each end the program with status 1 and the reason on
# standard error and in report.txt.
. "$(dirname "$0")/lib.sh"
RUN=$1
e2e_init 320x240
e2e_copy_run "$RUN/sideview"
cp "$WORK/hops.txt" "$WORK/hops.good"
cp "$WORK/tr01.map" "$WORK/tr01.good"

# bad_start NAME REASON: starts sideview, leaves the credits with Space and
# expects the end with status 1 and REASON.
bad_start() {
  (cd "$WORK" && exec ./sideview >out.txt 2>err.txt) &
  E2E_PID=$!
  sleep 2
  kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "$1: sideview ended during the credits"
  xdotool keydown space
  sleep 0.2
  xdotool keyup space
  e2e_wait_exit 20
  [ "$E2E_RC" = 1 ] || e2e_fail "$1: exit status $E2E_RC"
  grep -qF "$2" "$WORK/err.txt" || e2e_fail "$1: no \"$2\" on stderr"
  grep -qF "$2" "$WORK/report.txt" || e2e_fail "$1: no \"$2\" in report.txt"
  echo "$1: $2"
}

printf '12 21\n21 12\n' >"$WORK/hops.txt"
bad_start "no start link" "hops.txt has no link for 0 (the start)"
printf '12 21\nx\n0 11\n' >"$WORK/hops.txt"
bad_start "damaged links" "hops.txt has no link for 0 (the start): it holds something other"
cp "$WORK/hops.good" "$WORK/hops.txt"
printf '0 15\n' >"$WORK/hops.txt"
bad_start "missing entry point" "tr01.map has no entry point 5"
printf '0 91\n' >"$WORK/hops.txt"
bad_start "missing level" "Couldn't open file \"tr09.map\""
cp "$WORK/hops.good" "$WORK/hops.txt"
head -c 300 "$WORK/tr01.good" >"$WORK/tr01.map"
bad_start "level cut short" "tr01.map is cut short"
echo "sideview bad data: ok"
