# topdown_ghost_and_best_run.sh -- a player finishes course 1 (here a short
# straight strip: hold Up and the walker gets there), which keeps the run as
# a replay; starting again, the ghost of that run walks off while the player
# stands still; then "Watch best run" shows the same course as a film, with
# its label, and Esc goes back to the menu.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/topdown_lib.sh"
RUN=$1
BUILD=$2
SRC=$(cd "$(dirname "$0")/../.." && pwd)
e2e_init 640x480
e2e_copy_run "$RUN/topdown" data.dat

# Course 1: one row of grass with the finish at its east end, the walker
# in its west facing it. A course one tile high has no room for random
# extras, so nothing on it moves but walkers.
cat >"$WORK/strip.txt" <<'EOF'
grid
..........@@
end
px 40 8 11
px 40 8 12
EOF
"$BUILD/tools/mapc" "$SRC/data/topdown/tiles.txt" "$WORK/strip.txt" "$WORK/m01.map" ||
  e2e_fail "can't compile the test course"

# A game's view: the panel's grey at the bottom left, no menu.
game_shown() { [ "$(e2e_pixel "$1" 2 470)" != "255,255,255" ] && ! topdown_menu_shown "$1"; }

# Pixels that differ between two pictures inside a rectangle W H X Y.
changed() {
  convert "$1" -crop "$3" +repage "$WORK/crop1.png"
  convert "$2" -crop "$3" +repage "$WORK/crop2.png"
  compare -metric AE "$WORK/crop1.png" "$WORK/crop2.png" null: 2>&1 | cut -d' ' -f1
}

e2e_start topdown
e2e_shot_until menu topdown_menu_shown

# The record: Play, hold Up until past the finish, back to the menu.
e2e_key Return
e2e_shot_until race game_shown
e2e_hold Up 5
e2e_hold Escape 0.3
e2e_shot_until menu2 topdown_menu_shown
[ -s "$WORK/replays/m01-1p.replay" ] || e2e_fail "no replay kept after a best time"
grep -q '^1 1 ' "$WORK/times.txt" || e2e_fail "no best time in times.txt"
grep -q '^replay 1$' "$WORK/replays/m01-1p.replay" || e2e_fail "the replay has no version line"

# Again: nobody touches a key, and the ghost walks off toward the finish.
e2e_key Return
e2e_shot_until ghost0 game_shown
sleep 1
e2e_shot "$WORK/ghost1.png"
sleep 1
e2e_shot "$WORK/ghost2.png"
moved=$(changed "$WORK/ghost1.png" "$WORK/ghost2.png" 300x32+60+0)
stood=$(changed "$WORK/ghost1.png" "$WORK/ghost2.png" 40x32+20+0)
echo "ghost: $moved pixels changed on its way, $stood where the player stands"
[ "$moved" -gt 20 ] || e2e_fail "no ghost moving on the course ($moved pixels)"
[ "$stood" = 0 ] || e2e_fail "the player moved without a key ($stood pixels)"
e2e_hold Escape 0.3
e2e_shot_until menu3 topdown_menu_shown

# Watch best run: the seventh line of the menu.
e2e_key Down Down Down Down Down Down Return
e2e_shot_until film game_shown
sleep 1
e2e_shot "$WORK/film1.png"
# The same course: its finish as in the race (nobody there yet).
[ "$(changed "$WORK/film1.png" "$WORK/ghost1.png" 64x32+320+0)" = 0 ] ||
  e2e_fail "the film does not show the course raced"
# Its label, top left: a red dot on black.
red=$(convert "$WORK/film1.png" -crop 40x40+0+0 +repage -fill black +opaque "rgb(255,0,0)" \
  -fill white -opaque "rgb(255,0,0)" -format "%[fx:mean*w*h]" info: | cut -d. -f1)
[ "${red:-0}" -gt 5 ] || e2e_fail "the film shows no label"
sleep 1
e2e_shot "$WORK/film2.png"
[ "$(changed "$WORK/film1.png" "$WORK/film2.png" 300x32+60+0)" -gt 20 ] ||
  e2e_fail "the film's walker does not move"
e2e_hold Escape 0.3
e2e_shot_until menu4 topdown_menu_shown
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the program ended on Esc in the film"
echo "PASS"
