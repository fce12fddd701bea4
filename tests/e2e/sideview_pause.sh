# sideview_pause.sh -- sideview held still: in a level, P stops the
# picture for two seconds even with Right held, the keys screen shows on F1
# and goes on any key back to the same picture, and P again lets the player
# walk on; the window losing the focus pauses the game, and only P goes
# on; Esc ends a paused game, however short the press.
source "$(dirname "$0")/lib.sh"
RUN=$1
e2e_init 320x240
e2e_copy_run "$RUN/sideview"
e2e_start sideview
sleep 1.5
e2e_hold space 0.3
sleep 1.5
e2e_key p
sleep 0.3
e2e_shot "$WORK/paused1.png"
xdotool keydown Right
sleep 2
e2e_shot "$WORK/paused2.png"
xdotool keyup Right
e2e_same "$WORK/paused1.png" "$WORK/paused2.png" || e2e_fail "the paused game moved"
# The label: a black box in the middle (palette slot 0, code 0x0A).
[ "$(e2e_pixel "$WORK/paused1.png" 160 110)" = "0,0,0" ] || e2e_fail "no \"Paused\" label"
e2e_keys_screen_over "$WORK/paused2.png" "the paused game"
e2e_key p
sleep 0.2
xdotool keydown Right
sleep 1.5
xdotool keyup Right
sleep 0.2
e2e_shot "$WORK/walked.png"
e2e_same "$WORK/paused2.png" "$WORK/walked.png" && e2e_fail "the game did not go on after P"

# Another window takes the focus: paused, and it stays so when it is gone.
e2e_steal_focus
e2e_shot "$WORK/unfocused1.png"
xdotool keydown Right
sleep 1.5
xdotool keyup Right
e2e_shot "$WORK/unfocused2.png"
e2e_same "$WORK/unfocused1.png" "$WORK/unfocused2.png" || e2e_fail "the game went on without the focus"
[ "$(e2e_pixel "$WORK/unfocused2.png" 160 110)" = "0,0,0" ] || e2e_fail "no \"Paused\" label after the focus was lost"

e2e_key Escape  # a short press ends the paused game
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC"
echo "sideview: F1 shows the keys, P holds the game, a lost focus pauses it"
