# edit_undo_new_course.sh -- a course designer's session: open course 1 in
# the editor, paint three tiles with quick clicks (zero-length, as a
# touchpad tap), undo and redo with Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z, save
# as the next course, m09.map, go back to the menu and pick course 9 at
# once: open it in the editor, paint, and answer the question about the
# unsaved change with Cancel (a click) and then Discard (its key); then play
# it. The saved file is checked with a reader of its own.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/topdown_lib.sh"
RUN=$1
e2e_init 640x480
e2e_copy_run "$RUN/topdown"
[ -f "$WORK/m08.map" ] && [ ! -e "$WORK/m09.map" ] || e2e_fail "expected courses 1 to 8 in $RUN/topdown"

# A game: the grey heads-up panel in the bottom-left corner.
game_shown() {
  [ "$(e2e_pixel "$1" 150 477)" = "$(e2e_pixel "$1" 150 470)" ] && ! topdown_menu_shown "$1" &&
    ! topdown_editor_shown "$1"
}
# tap X Y: a click of no length at all, as xdotool makes it.
tap() {
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool click 1
  sleep 0.2
}
# with_ctrl_shift KEY: Ctrl and Shift held down as a hand does, KEY typed.
with_ctrl_shift() {
  xdotool keydown Control_L Shift_L
  sleep 0.1
  xdotool key "$1"
  sleep 0.1
  xdotool keyup Shift_L Control_L
  sleep 0.2
}

e2e_start topdown
e2e_shot_until menu topdown_menu_shown
e2e_key Down Return            # the course editor on course 1
e2e_shot_until editor topdown_editor_shown

e2e_key minus                  # current tile 0 - 1 = 255
tap 100 150                    # tiles (3, 4), (9, 7) and (15, 10)
tap 300 250
tap 500 350
e2e_key ctrl+z ctrl+z          # (15, 10) and (9, 7) undone
e2e_key ctrl+y                 # (9, 7) back
e2e_key ctrl+z
with_ctrl_shift z              # and back again
e2e_key z                      # Z alone: full size, no change

e2e_key s
sleep 1
e2e_select_file m09.map 7
e2e_wait_saved "$WORK/m09.map" "the editor saved no m09.map"
cp "$WORK/m09.map" "$WORK/saved.map"

e2e_key Escape                 # all saved: straight back to the menu
e2e_shot_until menu2 topdown_menu_shown

# Course number 9, which did not exist when the program started.
e2e_key Down Return Up Up Up Up Up Up Up Up Return
e2e_key Up Return              # the course editor on it
e2e_shot_until editor2 topdown_editor_shown

tap 500 350                    # a change, then Esc: the question
e2e_shot "$WORK/painted.png"
e2e_key Escape
sleep 0.5
e2e_shot "$WORK/question.png"
e2e_same "$WORK/painted.png" "$WORK/question.png" && e2e_fail "Esc with a change asked nothing"
topdown_menu_shown "$WORK/question.png" && e2e_fail "Esc with a change left without asking"
e2e_click 415 250              # Cancel, with the mouse: back to the editor
xdotool mousemove 600 400      # and the pointer out of the way
sleep 0.5
e2e_shot_until editor3 topdown_editor_shown
# The click on Cancel was the dialog's: nothing painted under it, tile (12, 7).
crop() { convert "$1" -crop 32x32+384+224 +repage "$2"; }
crop "$WORK/painted.png" "$WORK/tile_before.png"
crop "$WORK/editor3.png" "$WORK/tile_after.png"
e2e_same "$WORK/tile_before.png" "$WORK/tile_after.png" ||
  e2e_fail "the click on Cancel painted the course under it"
e2e_key Escape
sleep 0.5
e2e_key d                      # Discard: leave without saving
e2e_shot_until menu3 topdown_menu_shown
cmp -s "$WORK/m09.map" "$WORK/saved.map" || e2e_fail "m09.map changed without a save"

e2e_key Up Return              # Play on course 9
e2e_shot_until game game_shown
e2e_hold Escape 0.3
e2e_shot_until menu4 topdown_menu_shown
e2e_key Escape Escape
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC after Esc, Esc"
grep -q "Starting maped (m09.map)" "$WORK/report.txt" ||
  e2e_fail "the editor never opened m09.map: $(cat "$WORK/report.txt")"

# m09.map is course 1 with exactly the tiles (3, 4) and (9, 7) painted 255.
PYTHONPATH="$E2E_DIR" python3 - "$WORK/m01.map" "$WORK/m09.map" <<'PY' ||
import sys
from course_file import read_course as read
w, h, old, old_ins = read(sys.argv[1])
w2, h2, new, new_ins = read(sys.argv[2])
assert (w2, h2) == (w, h), 'size changed'
assert new_ins == old_ins, 'insertions changed'
diff = sorted(divmod(i, h) for i in range(w * h) if new[i] != old[i])
assert diff == [(3, 4), (9, 7)], 'changed tiles (column, row): %s' % diff
assert all(new[x * h + y] == 255 for x, y in diff), 'painted with another tile'
PY
  e2e_fail "m09.map is not course 1 with the two tiles painted"
echo "short clicks, undo, redo, a new course chosen at once, the Esc question: ok"
