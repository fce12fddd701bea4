# sideview_edit_unsaved_work.sh -- the level editor never loses a
# designer's work. An attribute change (F3) and a Load of tr01.map: the
# load asks nothing, but Esc does, Esc again cancels and Esc then Enter
# saves "tileattr.wz" with the change. A painted tile and a Load: the
# question comes first, Esc cancels and keeps the tile, Esc then Space saves
# it. A save under "tileattr.wz" is refused and leaves it as it was; a save
# under a new name shows "Saved" in the band for a moment. Files are
# checked with readers of their own.
source "$(dirname "$0")/lib.sh"
RUN=$1
e2e_init 640x480
e2e_copy_run "$RUN/sideview"
cd "$WORK" && cp tr01.map tr01.before && cp tr02.map tr02.before && cp tileattr.wz attr.before

alive() { kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "sideview_edit ended: $1"; }
# A screenshot into NAME.png once the screen has settled.
shot() {
  sleep 0.6
  e2e_shot "$WORK/$1.png"
}
# select_name NAME: the selector's edit box holds the editor's name (LEN
# characters); NAME replaces it.
select_name() {
  sleep 1
  e2e_select_file "$1" "$2"
}
# The band's second line, where the note goes: anything but black in it.
note_shown() {
  [ "$(convert "$1" -crop 200x8+40+28 +repage -format "%[fx:maxima.intensity>0]" info:)" = 1 ]
}
no_note() { ! note_shown "$1"; }

e2e_start sideview_edit
xdotool mousemove 639 0        # the pointer over the band, off the level
e2e_key F3                     # Ladder of tile 0
e2e_key l
select_name tr01.map 0
shot loaded
alive "at a load of an unchanged level"
e2e_key Escape
shot question
alive "at Esc with an attribute changed since the load"
e2e_same "$WORK/loaded.png" "$WORK/question.png" && e2e_fail "Esc asked nothing"
e2e_key Escape                 # Cancel
shot back
e2e_same "$WORK/loaded.png" "$WORK/back.png" || e2e_fail "Cancel did not go back to the level"
cmp -s tileattr.wz attr.before || e2e_fail "tileattr.wz written before a save"
e2e_key Escape Return          # Esc then Enter: saved as tr01.map, and the end
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC after Esc, Enter"
python3 - attr.before tileattr.wz <<'PY' || e2e_fail "tileattr.wz is not the old table with Ladder of tile 0"
import sys
a, b = (open(n, 'rb').read() for n in sys.argv[1:])
assert len(b) == 256 and [i for i in range(256) if a[i] != b[i]] == [0] and a[0] ^ b[0] == 4
PY
cmp -s tr01.map tr01.before || e2e_fail "tr01.map changed: it was saved unchanged"

# A painted tile, then a Load: asked first; Cancel keeps the tile.
e2e_start sideview_edit
e2e_key l
select_name tr01.map 0
xdotool mousemove 300 230
sleep 0.2
xdotool click 1                # tile (18, 14), floor, painted with tile 0
xdotool mousemove 639 0
shot painted
e2e_key l
select_name tr02.map 8
shot question2
alive "at a load over a painted tile"
e2e_same "$WORK/painted.png" "$WORK/question2.png" && e2e_fail "the load asked nothing"
e2e_key Escape
shot back2
e2e_same "$WORK/painted.png" "$WORK/back2.png" || e2e_fail "Cancel did not keep the painted level"
e2e_key Escape space           # Esc then Space: saved as tr01.map
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC after Esc, Space"
PYTHONPATH="$E2E_DIR" python3 - tr01.before tr01.map <<'PY' || e2e_fail "tr01.map is not the level with tile (18, 14) painted"
import sys
from course_file import read_course
def read(path):
    w, h, tiles, ins = read_course(path)
    return h, tiles, ins
h, old, old_ins = read(sys.argv[1])
h2, new, new_ins = read(sys.argv[2])
assert new_ins == old_ins and old[18 * h + 14] != 0 and new[18 * h + 14] == 0
assert [i for i in range(len(old)) if old[i] != new[i]] == [18 * h + 14]
PY
cmp -s tr02.map tr02.before || e2e_fail "tr02.map changed"

# A save under tileattr.wz is refused; one under a new name shows its note.
cp tileattr.wz attr.saved
e2e_start sideview_edit
xdotool mousemove 639 0
e2e_key F5
shot before
e2e_key s
select_name tileattr.wz 0
shot refused
e2e_same "$WORK/before.png" "$WORK/refused.png" && e2e_fail "the refusal showed nothing"
e2e_key Return                 # the alert's OK
shot after
e2e_same "$WORK/before.png" "$WORK/after.png" || e2e_fail "OK did not go back to the level"
cmp -s tileattr.wz attr.saved || e2e_fail "the save under tileattr.wz wrote it"
[ -e tileattr.wz.tmp ] && e2e_fail "a temporary file was left"
e2e_key s
select_name mine.map 0
e2e_shot_until noted note_shown
[ -s mine.map ] || e2e_fail "no mine.map"
e2e_shot_until note_gone no_note
e2e_key Escape                 # all saved: the end, without a question
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC"
grep -q "Couldn't" report.txt && e2e_fail "report.txt: $(cat report.txt)"
echo "sideview_edit: F3 and Load, paint and Load, Esc then Enter or Space, tileattr.wz refused, the Saved note: ok"
