# menu_play_and_edit.sh -- a whole session of topdown from its main menu:
# two players in the United States play course 2 on a split screen, go back
# to the menu, open the course editor on course 1, paint a tile with the
# mouse, add a player start with key 1, save under a new name typed into the
# file selector, and leave with Esc, Esc, Esc. The saved file is checked with
# a reader of its own.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/topdown_lib.sh"
RUN=$1
e2e_init 640x480
e2e_copy_run "$RUN/topdown" data.dat

# Two views side by side: the magenta seam at x = 319 and 320.
split_shown() {
  local y
  for y in 120 240 360; do
    [ "$(e2e_pixel "$1" 319 $y)" = "255,0,255" ] || return 1
    [ "$(e2e_pixel "$1" 320 $y)" = "255,0,255" ] || return 1
  done
}

e2e_start topdown
e2e_shot_until menu topdown_menu_shown

# Players: Two; Country: United States; Course number: 2; then Play.
e2e_key Down Down Down Right Down Left
e2e_key Down Right Down Left
e2e_key Up Up Return Up Return
e2e_key Up Up
e2e_key Return
e2e_shot_until game split_shown

e2e_hold Escape 0.3             # the game polls its keys
e2e_shot_until menu2 topdown_menu_shown

# Course number back to 1, then the course editor.
e2e_key Down Down Return Down Return Up Return
e2e_shot_until editor topdown_editor_shown

# A point on the course: below the band, where the editor drew a tile.
target=
for p in "320 300" "200 240" "450 360" "100 150" "560 420"; do
  set -- $p
  [ "$(e2e_pixel "$WORK/editor.png" "$1" "$2")" != "0,0,0" ] && { target=$p; break; }
done
[ -n "$target" ] || e2e_fail "the editor shows no course under the band"
set -- $target
e2e_key minus                 # current tile 0 - 1 = 255
e2e_click "$1" "$2"           # paints it under the pointer
e2e_key 1                     # a player 1 start at the pointer
e2e_key s
sleep 1
e2e_shot "$WORK/selector.png"
# The selector's edit box holds the course's path; replace its file name.
e2e_select_file mine.map 7
e2e_wait_saved "$WORK/mine.map" "the editor saved no mine.map"

e2e_key Escape
e2e_shot_until menu3 topdown_menu_shown
e2e_key Escape Escape
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC after Esc, Esc"
grep -q "Starting maped (m01.map)" "$WORK/report.txt" ||
  e2e_fail "no \"Starting maped (m01.map)\" in report.txt"

# The saved course is course 1 with one tile painted 255 and one more
# insertion, code 11, lying in that tile; the attribute table was written.
PYTHONPATH="$E2E_DIR" python3 - "$WORK/m01.map" "$WORK/mine.map" "$WORK/tileattr.wz" <<'PY' ||
import sys
from course_file import read_course
w, h, old_tiles, old_ins = read_course(sys.argv[1])
w2, h2, tiles, ins = read_course(sys.argv[2])
assert (w2, h2) == (w, h), 'size changed'
diff = [i for i in range(w * h) if tiles[i] != old_tiles[i]]
assert len(diff) == 1, 'tiles changed: %d' % len(diff)
assert tiles[diff[0]] == 255, 'painted tile is %d' % tiles[diff[0]]
col, row = divmod(diff[0], h)
assert ins[:-1] == old_ins, 'old insertions changed'
x, y, code = ins[-1]
assert code == 11, 'new insertion has code %d' % code
assert (int(x / 32), int(y / 32)) == (col, row), 'insertion not on the tile'
assert len(open(sys.argv[3], 'rb').read()) == 256, 'tileattr.wz size'
PY
  e2e_fail "the saved course is not as edited"
echo "menu, game, editor and save: ok"
