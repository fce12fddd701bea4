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
source "$HERE/../cpu_lib.sh"
e2e_init 1920x1080
e2e_copy_run "$BUILD/run/sideview"
"$BUILD/tools/mapc" "$HERE/../../data/sideview/tiles.txt" \
  "$HERE/../../tests/e2e/sideview_corridor.txt" "$WORK/tr01.map" ||
  e2e_fail "can't compile the corridor"
echo "0 11" >"$WORK/hops.txt"

echo "sideview and sideview_edit CPU use over $SECONDS_EACH s under Xvfb at 1920x1080:"
e2e_start sideview
[ "$(e2e_window_size)" = "1280 960 0 0" ] || e2e_fail "sideview's window is $(e2e_window_size)"
sleep 1
measure "sideview (scale 4), credits"
e2e_hold space 0.3
sleep 2
measure "sideview (scale 4), level, standing" 5
# The player walking right and left in turns of two seconds.
measure_while "sideview (scale 4), level, walking" 5 hold_in_turns 2 Right Left
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
measure_while "sideview (scale 1), level, walking" 0 hold_in_turns 2 Right Left
e2e_hold Escape 0.3
e2e_wait_exit 10

e2e_start sideview_edit
[ "$(e2e_window_size)" = "1280 960 0 0" ] || e2e_fail "sideview_edit's window is $(e2e_window_size)"
sleep 1
measure "sideview_edit (scale 2), untouched" 5
# The pointer sweeping back and forth over the level the whole time.
measure_while "sideview_edit (scale 2), pointer moving" 0 sweep_pointer
e2e_key Escape
e2e_wait_exit 10
exit $over
