# topdown_pause.sh -- a race paused and gone on: P stops the race clock
# shown on the panel (and everything else) for two seconds under the label
# "Paused", the keys screen shows on F1 over the paused race and goes on
# any key, back to the same picture, P again lets the clock run, Pause
# pauses too, and a short press of Esc ends a paused race. The keys screen also shows in the
# menu, and in the course editor on F10.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/topdown_lib.sh"
RUN=$1
e2e_init 640x480
e2e_copy_run "$RUN/topdown"
e2e_start topdown

e2e_shot_until menu topdown_menu_shown
# The keys over the menu: black in the middle, until a key.
e2e_key F1
sleep 0.3
e2e_shot "$WORK/menu_keys.png"
[ "$(e2e_pixel "$WORK/menu_keys.png" 320 240)" = "0,0,0" ] || e2e_fail "no keys screen over the menu"
e2e_key x
sleep 0.3
e2e_shot "$WORK/menu_again.png"
e2e_same "$WORK/menu.png" "$WORK/menu_again.png" || e2e_fail "a key did not close the keys over the menu"

e2e_key Return  # Play: course 1, one player
sleep 1.5
# The race clock: "TIME" on the panel at the bottom left (x 230 .. 300).
clock() { convert "$1" -crop 70x14+230+455 +repage "$2"; }
e2e_shot "$WORK/race.png"
e2e_same "$WORK/menu.png" "$WORK/race.png" && e2e_fail "Return did not start a race"

e2e_key p
sleep 0.3
e2e_shot "$WORK/paused1.png"
sleep 2
e2e_shot "$WORK/paused2.png"
e2e_same "$WORK/paused1.png" "$WORK/paused2.png" || e2e_fail "the paused race went on"
# The label: a black box in the middle with a white frame.
[ "$(e2e_pixel "$WORK/paused1.png" 320 240)" = "0,0,0" ] || e2e_fail "no \"Paused\" label"

# The keys over the paused race; any key goes back to the same picture.
e2e_keys_screen_over "$WORK/paused2.png" "the paused race"

e2e_key p
sleep 1.2
e2e_shot "$WORK/going.png"
clock "$WORK/paused2.png" "$WORK/clock_paused.png"
clock "$WORK/going.png" "$WORK/clock_going.png"
e2e_same "$WORK/clock_paused.png" "$WORK/clock_going.png" && e2e_fail "the clock did not go on after P"

# Pause pauses as P does.
e2e_key Pause
sleep 0.3
e2e_shot "$WORK/paused4.png"
sleep 1.5
e2e_shot "$WORK/paused5.png"
e2e_same "$WORK/paused4.png" "$WORK/paused5.png" || e2e_fail "Pause did not pause the race"
[ "$(e2e_pixel "$WORK/paused4.png" 320 240)" = "0,0,0" ] || e2e_fail "no \"Paused\" label after Pause"

# Esc ends the paused race, however short the press.
e2e_key Escape
sleep 0.5
e2e_shot_until back topdown_menu_shown
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the program ended on Esc in the race"

# The course editor's keys on F10, until any key (Esc only closes them).
e2e_key Down Return
sleep 1
e2e_shot "$WORK/editor.png"
e2e_key F10
sleep 0.3
e2e_shot "$WORK/editor_keys.png"
e2e_same "$WORK/editor.png" "$WORK/editor_keys.png" && e2e_fail "F10 showed no keys in the editor"
e2e_key Escape
sleep 0.3
e2e_shot "$WORK/editor_again.png"
e2e_same "$WORK/editor.png" "$WORK/editor_again.png" || e2e_fail "Esc did not close the editor's keys"
e2e_key Escape  # leaves the editor: nothing changed
e2e_shot_until menu2 topdown_menu_shown
e2e_key Escape Escape
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC"
echo "topdown: P and Pause hold the race and its clock, F1 and F10 show the keys"
