# topdown_fullscreen_close.sh -- on a 1920x1080 desktop, in the menu and in
# a game: Alt+Enter puts the picture over the whole screen (twice as large,
# centred, black around) and back into its 1280x960 window, and F11 does the
# same; the menu takes no Enter from it, and the game goes on through every
# switch, its clock running; after them the window losing the focus still
# pauses it. The window's close button
# (sent as a window manager sends it) ends a game, and the menu, with status
# 0; in the course editor with a change not saved it brings the question,
# whose Cancel (clicked on the enlarged dialog) keeps the editor and whose Discard
# ends the program.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/topdown_lib.sh"
RUN=$1
BUILD=$2
e2e_init 1920x1080
e2e_copy_run "$RUN/topdown"

# Course 1 becomes a course of 2 x 2 tiles with one player start: no random
# extras, so the game's picture holds still but for its clock.
python3 - "$WORK/m01.map" <<'PY'
import struct, sys
data = struct.pack('>HHH', 2, 2, 1) + bytes([1, 1, 1, 1]) + struct.pack('>iii', 40, 40, 11)
open(sys.argv[1], 'wb').write(data)
PY

# The menu at scale 2 in the window, or over the whole screen with the
# picture's top-left at (320, 60) and black around it.
menu_shown() { topdown_menu_shown "$1" 2; }
menu_full() { topdown_menu_shown "$1" 2 320 60 && [ "$(e2e_pixel "$1" 5 5)" = "0,0,0" ]; }
# The game at scale 2 with the picture's top-left at (X, Y): the course's
# corner there, black beside it, the grey panel at the bottom.
game_at() {
  [ "$(e2e_pixel "$1" $(( $2 + 640 )) $(( $3 + 600 )))" = "0,0,0" ] &&
    [ "$(e2e_pixel "$1" $(( $2 + 300 )) $(( $3 + 940 )))" != "0,0,0" ] &&
    [ "$(e2e_pixel "$1" $(( $2 + 10 )) $(( $3 + 10 )))" != "0,0,0" ]
}
in_window() { game_at "$1" 0 0; }
full_screen() {
  game_at "$1" 320 60 && for p in "5 5" "1914 1074" "100 540" "1800 540" "960 30" "960 1050"; do
    [ "$(e2e_pixel "$1" $p)" = "0,0,0" ] || return 1
  done
}
# The window's size and place, "WxH+X+Y".
window() { e2e_window_size | awk '{ print $1 "x" $2 "+" $3 "+" $4 }'; }
# keep NAME SHOT X Y: the game above its panel, and the panel, of a shot
# whose picture starts at (X, Y).
keep() {
  e2e_crop "$2" "1280x888+$3+$4" "$WORK/$1-view.png"
  e2e_crop "$2" "600x72+$3+$(( $4 + 888 ))" "$WORK/$1-panel.png"
}
# Each switch shows the same game, and its clock has moved on.
same_game() {
  e2e_same "$WORK/$1-view.png" "$WORK/$2-view.png" || e2e_fail "$2: not the game of $1"
  e2e_same "$WORK/$1-panel.png" "$WORK/$2-panel.png" && e2e_fail "$2: the clock stands still"
  kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the program ended at $2"
}

e2e_start topdown
e2e_shot_until menu menu_shown
# In the menu too; Alt+Enter is never the menu's Enter.
xdotool key alt+Return
e2e_shot_until menu_full menu_full
xdotool key alt+Return
e2e_shot_until menu menu_shown
e2e_point_at_window
e2e_key Return
e2e_shot_until window1 in_window
sleep 0.5
e2e_shot "$WORK/window1.png"
keep window1 "$WORK/window1.png" 0 0

xdotool key alt+Return
e2e_shot_until full1 full_screen
[ "$(window)" = "1920x1080+0+0" ] || e2e_fail "the full screen's window is $(window)"
keep full1 "$WORK/full1.png" 320 60
same_game window1 full1

sleep 0.5
xdotool key alt+Return
e2e_shot_until window2 in_window
[ "$(window)" = "1280x960+0+0" ] || e2e_fail "back from the full screen the window is $(window)"
e2e_point_at_window
sleep 0.5
e2e_shot "$WORK/window2.png"
keep window2 "$WORK/window2.png" 0 0
same_game full1 window2

xdotool key F11
e2e_shot_until full2 full_screen
keep full2 "$WORK/full2.png" 320 60
same_game window2 full2
xdotool key F11
e2e_shot_until window3 in_window
e2e_point_at_window
sleep 0.3

# After all the switches, the window losing the focus still pauses the
# game: its clock stands still.
e2e_steal_focus
e2e_shot "$WORK/unfocused1.png"
sleep 1.5
e2e_shot "$WORK/unfocused2.png"
keep unfocused1 "$WORK/unfocused1.png" 0 0
keep unfocused2 "$WORK/unfocused2.png" 0 0
e2e_same "$WORK/unfocused1-panel.png" "$WORK/unfocused2-panel.png" ||
  e2e_fail "after the switches the clock ran on without the focus"

# The close button in the (paused) game ends the program at once.
e2e_close "$BUILD"
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC after the close button in a game"

# And in the menu.
e2e_start topdown
e2e_shot_until menu menu_shown
e2e_close "$BUILD"
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC after the close button in the menu"

# In the editor with a change: the question; Cancel stays, Discard ends.
e2e_start topdown
e2e_shot_until menu menu_shown
e2e_key Down Return
sleep 1
e2e_key minus
e2e_click 40 112                # tile (0, 1) of the small course, below the band
sleep 0.3
e2e_shot "$WORK/painted.png"
e2e_close "$BUILD"
sleep 1
e2e_shot "$WORK/question.png"
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the close button left the editor without asking"
e2e_same "$WORK/painted.png" "$WORK/question.png" && e2e_fail "the close button asked nothing"
e2e_click 830 501               # Cancel, with the mouse: (415, 250) on the picture
xdotool mousemove 40 112
sleep 0.5
e2e_shot "$WORK/stayed.png"
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "Cancel ended the program"
e2e_same "$WORK/painted.png" "$WORK/stayed.png" || e2e_fail "Cancel did not go back to the editor"
e2e_close "$BUILD"
sleep 1
e2e_key d
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC after the close button and Discard"
grep -q "Starting maped" "$WORK/report.txt" || e2e_fail "the editor never opened"
cmp -s "$WORK/m01.map" <(python3 -c '
import struct, sys
sys.stdout.buffer.write(struct.pack(">HHH", 2, 2, 1) + bytes([1, 1, 1, 1]) + struct.pack(">iii", 40, 40, 11))') ||
  e2e_fail "m01.map changed without a save"
echo "topdown: Alt+Enter and F11 to the full screen and back in a game, the close button: ok"
