# cpu_xvfb.sh -- how much of one core the real sideview and sideview_edit
# take under a private Xvfb of 1920x1080. sideview's window shows its picture
# four times as large (1280x960, the factor it picks there by itself): the
# credits, then a level with nobody steering, and with the player walking
# right and left. The level is the corridor of tests/e2e/sideview_corridor.txt,
# where every step scrolls the whole view: the most the enlargement has to
# do. sideview_edit's window shows its 640x480 picture twice as large
# (1280x960): untouched, then with the pointer moving over the level. Each
# case over SECONDS; the processor time is read from /proc/PID/stat (user +
# system, every thread).
#   bash bench/sideview/cpu_xvfb.sh BUILD_DIR [SECONDS]
# Prints one line per case; exit status 1 if a case with a limit is over it.
# Mind the floor: a program that does nothing but start Allegro already
# takes about 3% of a core on a virtual machine, for Allegro's X11 thread
# wakes every millisecond; and other work on the machine adds its noise.
BUILD=${1:?build folder}
SECONDS_EACH=${2:-10}
HERE=$(dirname "$0")
source "$HERE/../../tests/e2e/lib.sh"
e2e_init 1920x1080
e2e_copy_run "$BUILD/run/sideview"
"$BUILD/tools/mapc" "$HERE/../../data/sideview/tiles.txt" \
  "$HERE/../../tests/e2e/sideview_corridor.txt" "$WORK/tr01.map" ||
  e2e_fail "can't compile the corridor"
echo "0 11" >"$WORK/hops.txt"
HZ=$(getconf CLK_TCK)
over=0

# Processor ticks (user + system) of the program so far.
ticks() {
  kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the program ended during the measure"
  awk '{ print $14 + $15 }' "/proc/$E2E_PID/stat"
}

# measure CASE [LIMIT]: the share of a core over SECONDS_EACH seconds.
measure() {
  local t0 t1 w0 w1
  t0=$(ticks)
  w0=$(date +%s.%N)
  sleep "$SECONDS_EACH"
  t1=$(ticks)
  w1=$(date +%s.%N)
  awk -v l="$1" -v lim="${2:-0}" -v dt=$((t1 - t0)) -v hz="$HZ" -v w0="$w0" -v w1="$w1" \
    'BEGIN { p = 100 * dt / hz / (w1 - w0); over = lim > 0 && p > lim
             printf "  %-34s %5.1f%% of a core", l, p
             if (lim > 0) printf " (limit %d%%)%s", lim, over ? "  OVER" : ""
             printf "\n"; exit over }' || over=1
}

# walk CASE [LIMIT]: the player walking right and left in turns of two
# seconds for the whole measure.
walk() {
  ( end=$(( $(date +%s) + SECONDS_EACH + 1 ))
    while [ "$(date +%s)" -lt "$end" ]; do
      for k in Right Left; do xdotool keydown $k; sleep 2; xdotool keyup $k; done
    done ) &
  local walker=$!
  sleep 0.5
  measure "$@"
  wait "$walker"
}

echo "sideview and sideview_edit CPU use over $SECONDS_EACH s under Xvfb at 1920x1080:"
e2e_start sideview
[ "$(e2e_window_size)" = "1280 960 0 0" ] || e2e_fail "sideview's window is $(e2e_window_size)"
sleep 1
measure "sideview (scale 4), credits"
e2e_hold space 0.3
sleep 2
measure "sideview (scale 4), level, standing" 5
walk "sideview (scale 4), level, walking" 5
e2e_key p
sleep 0.5
measure "sideview (scale 4), level, paused" 2
e2e_hold Escape 0.3
e2e_wait_exit 10

# The same walk at scale 1, for what the enlargement adds.
e2e_start sideview --scale=1
sleep 1
e2e_hold space 0.3
sleep 2
walk "sideview (scale 1), level, walking"
e2e_hold Escape 0.3
e2e_wait_exit 10

e2e_start sideview_edit
[ "$(e2e_window_size)" = "1280 960 0 0" ] || e2e_fail "sideview_edit's window is $(e2e_window_size)"
sleep 1
measure "sideview_edit (scale 2), untouched" 5
# The pointer sweeping back and forth over the level the whole time.
( end=$(( $(date +%s) + SECONDS_EACH + 1 ))
  while [ "$(date +%s)" -lt "$end" ]; do
    for x in $(seq 200 40 1080) $(seq 1080 -40 200); do xdotool mousemove "$x" 600; sleep 0.01; done
  done ) &
mover=$!
sleep 0.5
measure "sideview_edit (scale 2), pointer moving"
wait "$mover"
e2e_key Escape
e2e_wait_exit 10
exit $over
