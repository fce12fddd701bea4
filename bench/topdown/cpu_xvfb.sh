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
source "$(dirname "$0")/../cpu_lib.sh"
e2e_init 1920x1080
e2e_copy_run "$BUILD/run/topdown"
e2e_start topdown
sleep 2

echo "topdown CPU use over $SECONDS_EACH s under Xvfb at 1920x1080 (scale 2):"
[ "$(e2e_window_size)" = "1280 960 0 0" ] || e2e_fail "the window is $(e2e_window_size), not 1280x960"
measure "main menu" 10

e2e_key Return                          # Play: course 1, one player
sleep 1
measure "one-player game" 8
# Walking up and down in turns of a second: the view scrolls, and every row
# of the picture changes.
measure_while "one-player game, walking" 0 hold_in_turns 1 Up Down
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
measure_while "course editor, pointer moving" 0 sweep_pointer

e2e_key Escape                          # nothing changed: back to the menu
e2e_key Escape Escape                   # Quit
e2e_wait_exit 10
exit $over
