# cpu_xvfb.sh -- how much of one core the real topdown takes while a person
# looks at it: the main menu, a one-player and a two-player game (nobody
# steering, then the player walking), and the course editor (untouched,
# then with the pointer moving), each over 10 seconds, under a private Xvfb
# of 1920x1080, where the window shows the picture twice as large (1280x960).
# The processor time is read from /proc/PID/stat (user + system, every
# thread of the program).
#   bash bench/topdown/cpu_xvfb.sh BUILD_DIR [SECONDS]
# Prints one line per case with its limit; exit status 1 if one is over.
# Mind the floor: a program that does nothing but start Allegro already
# takes about 3% of a core on a virtual machine, for Allegro's X11 thread
# wakes every millisecond; and other work on the machine adds its noise.
BUILD=${1:?build folder}
SECONDS_EACH=${2:-10}
source "$(dirname "$0")/../../tests/e2e/lib.sh"
e2e_init 1920x1080
e2e_copy_run "$BUILD/run/topdown"
e2e_start topdown
sleep 2

HZ=$(getconf CLK_TCK)
over=0

# Processor ticks (user + system) of the program so far.
ticks() {
  # The name in field 2 has no blanks here ("(topdown)").
  awk '{ print $14 + $15 }' "/proc/$E2E_PID/stat"
}

# measure LABEL LIMIT: the share of a core over SECONDS_EACH seconds.
measure() {
  local label=$1 limit=$2 t0 t1 w0 w1
  t0=$(ticks)
  w0=$(date +%s.%N)
  sleep "$SECONDS_EACH"
  t1=$(ticks)
  w1=$(date +%s.%N)
  awk -v l="$label" -v lim="$limit" -v dt=$((t1 - t0)) -v hz="$HZ" -v w0="$w0" -v w1="$w1" \
    'BEGIN { p = 100 * dt / hz / (w1 - w0);
             over = lim > 0 && p > lim; printf "  %-30s %5.1f%% of a core", l, p
             if (lim > 0) printf " (limit %d%%)%s", lim, (over ? "  OVER" : "")
             printf "\n"; exit over }' || over=1
}

echo "topdown CPU use over $SECONDS_EACH s under Xvfb at 1920x1080 (scale 2):"
[ "$(e2e_window_size)" = "1280 960 0 0" ] || e2e_fail "the window is $(e2e_window_size), not 1280x960"
measure "main menu" 10

e2e_key Return                          # Play: course 1, one player
sleep 1
measure "one-player game" 8
# Walking up and down in turns of a second: the view scrolls, and every row
# of the picture changes.
( end=$(( $(date +%s) + SECONDS_EACH + 1 ))
  while [ "$(date +%s)" -lt "$end" ]; do
    for k in Up Down; do xdotool keydown $k; sleep 1; xdotool keyup $k; done
  done ) &
walker=$!
sleep 0.5
measure "one-player game, walking" 0
wait "$walker"
e2e_key p
sleep 0.5
measure "one-player game, paused" 2
e2e_hold Escape 0.3
sleep 1

e2e_key Down Down Down Right Down Left  # Players: Two
e2e_key Up Up Up Return                 # Play
sleep 1
measure "two-player game" 8
e2e_key p
sleep 0.5
measure "two-player game, paused" 2
e2e_hold Escape 0.3
sleep 1

e2e_key Down Return                     # Course editor
sleep 1
measure "course editor, untouched" 5
# The pointer sweeping back and forth over the course the whole time.
( end=$(( $(date +%s) + SECONDS_EACH + 1 ))
  while [ "$(date +%s)" -lt "$end" ]; do
    for x in $(seq 200 40 1080) $(seq 1080 -40 200); do xdotool mousemove "$x" 600; sleep 0.01; done
  done ) &
mover=$!
sleep 0.5
measure "course editor, pointer moving" 0
wait "$mover"

e2e_key Escape                          # nothing changed: back to the menu
e2e_key Escape Escape                   # Quit
e2e_wait_exit 10
exit $over
