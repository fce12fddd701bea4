# edit_unsaved_work.sh -- topdown's course editor never loses a designer's
# work: a painted tile survives a Load (the question comes first, Cancel
# keeps the tile, and Esc then Enter saves it), an attribute change
# survives a Load that asks nothing and is saved by Esc then Space, a save
# under "tileattr.wz" is refused with the file left as it was, and a save
# shows "Saved mine.map" in the band for a moment. Files are checked with
# readers of their own.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/topdown_lib.sh"
RUN=$1
e2e_init 640x480
e2e_copy_run "$RUN/topdown"
cd "$WORK" && cp m01.map m01.before && cp m02.map m02.before && cp tileattr.wz attr.before

# The question: its white box round the middle of the screen.
question_shown() {
  local p
  for p in "172 212" "466 212" "172 266" "466 266"; do
    [ "$(e2e_pixel "$1" $p)" = "255,255,255" ] || return 1
  done
}
# The band's second line, where the note goes: anything but black in it.
note_shown() {
  [ "$(convert "$1" -crop 200x8+40+28 +repage -format "%[fx:maxima.intensity>0]" info:)" = 1 ]
}
no_note() { ! note_shown "$1"; }
alive() { kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "topdown ended: $1"; }
# select_name NAME: the selector's edit box holds m01.map or m02.map (7
# characters); NAME replaces them.
select_name() {
  sleep 1
  e2e_select_file "$1" 7
  sleep 0.5
}
# tiles_changed OLD NEW: "column,row" of every tile that differs.
tiles_changed() {
  PYTHONPATH="$E2E_DIR" python3 - "$1" "$2" <<'PY'
import sys
from course_file import read_course as read
w, h, old, old_ins = read(sys.argv[1])
w2, h2, new, new_ins = read(sys.argv[2])
assert (w, h, old_ins) == (w2, h2, new_ins), 'size or insertions changed'
print(' '.join('%d,%d' % divmod(i, h) for i in range(w * h) if old[i] != new[i]))
PY
}

e2e_start topdown
e2e_shot_until menu topdown_menu_shown
e2e_key Down Return            # the course editor on course 1
e2e_shot_until editor topdown_editor_shown

# Paint, then Load: the question; Cancel (Esc) keeps the tile.
e2e_key minus                  # current tile 255
e2e_click 500 350              # tile (15, 10)
xdotool mousemove 620 460
sleep 0.3
e2e_shot "$WORK/painted.png"
e2e_key l
select_name m02.map
e2e_shot_until question question_shown
e2e_key Escape
e2e_shot_until back topdown_editor_shown
e2e_same "$WORK/painted.png" "$WORK/back.png" || e2e_fail "Cancel did not keep the painted course"
# Esc then Enter, as a hand does it: saved as m01.map, back to the menu.
e2e_key Escape Return
e2e_shot_until menu2 topdown_menu_shown
[ "$(tiles_changed m01.before m01.map)" = "15,10" ] || e2e_fail "m01.map is not the painted course"
cmp -s m02.map m02.before || e2e_fail "m02.map changed"

# An attribute, then a Load, which asks nothing (the course is as saved):
# the change still counts, and Esc then Space saves it.
e2e_key Return                 # the course editor again
e2e_shot_until editor2 topdown_editor_shown
e2e_key plus                   # tile 0
e2e_key F3                     # its Ice
e2e_key l
select_name m02.map
e2e_shot_until loaded topdown_editor_shown
question_shown "$WORK/loaded.png" && e2e_fail "a load of an unchanged course asked"
e2e_key Escape
e2e_shot_until question2 question_shown
e2e_key space
e2e_shot_until menu3 topdown_menu_shown
python3 - attr.before tileattr.wz <<'PY' || e2e_fail "tileattr.wz is not the old table with Ice of tile 0"
import sys
a, b = (open(n, 'rb').read() for n in sys.argv[1:])
assert len(b) == 256 and [i for i in range(256) if a[i] != b[i]] == [0] and a[0] ^ b[0] == 4
PY
cmp -s m02.map m02.before || e2e_fail "m02.map changed: it was saved unchanged"
cp tileattr.wz attr.saved

# Save refused under "tileattr.wz"; a save elsewhere shows its note.
e2e_key Return
e2e_shot_until editor3 topdown_editor_shown
e2e_key F3                     # Ice of tile 0 off again
sleep 0.3
e2e_shot "$WORK/before.png"
e2e_key s
select_name tileattr.wz
sleep 0.5
e2e_shot "$WORK/refused.png"
e2e_key Return                 # the alert's OK
sleep 0.5
e2e_shot "$WORK/after.png"
cmp -s tileattr.wz attr.saved || e2e_fail "the save under tileattr.wz wrote it"
[ -e tileattr.wz.tmp ] && e2e_fail "a temporary file was left"
e2e_same "$WORK/before.png" "$WORK/refused.png" && e2e_fail "the refusal showed nothing"
e2e_same "$WORK/before.png" "$WORK/after.png" || e2e_fail "OK did not go back to the editor"
e2e_key s
select_name mine.map
e2e_shot_until noted note_shown
[ -s mine.map ] || e2e_fail "no mine.map"
e2e_shot_until note_gone no_note
e2e_key Escape                 # all saved: no question
e2e_shot_until menu4 topdown_menu_shown
e2e_key Escape Escape
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC"
cmp -s tileattr.wz attr.before || e2e_fail "tileattr.wz is not back to the first table"
echo "topdown's editor: paint and Load, attribute and Load, Esc then Enter or Space, tileattr.wz refused, the Saved note: ok"
