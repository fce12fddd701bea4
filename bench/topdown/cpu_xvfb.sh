# cpu_xvfb.sh -- how much of one core the real topdown takes while a person
# looks at it: the main menu, a one-player game (nobody steering, then
# paused), a two-player game (then paused), and the course editor
# (untouched, then with the pointer moving), each over 10 seconds, under a
# private Xvfb. The processor time is
# read from /proc/PID/stat (user + system, every thread of the program).
#   bash bench/topdown/cpu_xvfb.sh BUILD_DIR [SECONDS]
# Prints one line per case with its limit; exit status 1 if one is over.
BUILD=${1:?build folder}
SECONDS_EACH=${2:-10}
source "$(dirname "$0")/../../tests/e2e/lib.sh"
e2e_init 640x480
e2e_copy_run "$BUILD/run/topdown"
e2e_start topdown
sleep 2

over=0

# measure LABEL LIMIT: the share of a core over SECONDS_EACH seconds.
measure() { e2e_cpu_share "$1" "$2" || over=1; }

echo "topdown CPU use over $SECONDS_EACH s under Xvfb:"
measure "main menu" 10

e2e_key Return                          # Play: course 1, one player
sleep 1
measure "one-player game" 20
e2e_key p
sleep 0.5
measure "one-player game, paused" 2
e2e_hold Escape 0.3
sleep 1

e2e_key Down Down Down Right Down Left  # Players: Two
e2e_key Up Up Up Return                 # Play
sleep 1
measure "two-player game" 20
e2e_key p
sleep 0.5
measure "two-player game, paused" 2
e2e_hold Escape 0.3
sleep 1

e2e_key Down Return                     # Course editor
sleep 1
measure "course editor, untouched" 10
# The pointer sweeping back and forth over the course the whole time.
( end=$(( $(date +%s) + SECONDS_EACH + 1 ))
  while [ "$(date +%s)" -lt "$end" ]; do
    for x in $(seq 100 20 540) $(seq 540 -20 100); do xdotool mousemove "$x" 300; sleep 0.01; done
  done ) &
mover=$!
sleep 0.5
measure "course editor, pointer moving" 10
wait "$mover"

e2e_key Escape                          # nothing changed: back to the menu
e2e_key Escape Escape                   # Quit
e2e_wait_exit 10
exit $over
