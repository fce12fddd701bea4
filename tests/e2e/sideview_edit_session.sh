# sideview_edit_session.sh -- a level designer's session with sideview_edit:
# open the first level through the file selector, paint two tiles beside
# its entry point with quick clicks (zero-length, as a touchpad tap), undo
# and redo with Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z, add an insertion with
# Ctrl-click and type its code, toggle an attribute of the tile, save under
# a new name, and leave through the question about an unsaved change. The
# screen is checked against the level drawn here from the files (tiles in
# the game's colours), the saved level and "tileattr.wz" with readers of
# their own. Then sideview plays the saved level and shows the new tiles.
source "$(dirname "$0")/lib.sh"
RUN=$1
e2e_init 640x480
e2e_copy_run "$RUN/sideview"
cp "$WORK/tileattr.wz" "$WORK/tileattr.before"

# The first level of a game and its entry point, from "hops.txt".
read -r LEVEL EX EY < <(PYTHONPATH="$E2E_DIR" python3 - "$WORK" <<'PY'
import sys
from course_file import read_course
d = sys.argv[1] + '/'
words = open(d + 'hops.txt').read().split()
to = dict(zip(map(int, words[0::2]), map(int, words[1::2])))[0]
level = 'tr%02d.map' % (to // 10)
w, h, tiles, ins = read_course(d + level)
x, y = [(x, y) for x, y, code in ins if code == 10 + to % 10][0]
print(level, x, y)
PY
) || e2e_fail "no first level and entry point in hops.txt"

# check.py: the editor's screen as it must look, from the level file, the
# tile pictures and "pallette.pcx", compared with a screenshot; and the
# choices of the session.
cat >"$WORK/check.py" <<'PY'
import struct, subprocess, sys
from course_file import read_course as level

def default_level():
    t = bytes(1 if x in (0, 24) or y in (0, 24) else 2 for x in range(25) for y in range(25))
    return 25, 25, t, []

def pictures():
    """tile index -> 16 x 16 colour codes (rows), from the 8-bit tiles.bmp"""
    b = open('tiles.bmp', 'rb').read()
    off, = struct.unpack('<I', b[10:14])
    w, h = struct.unpack('<ii', b[18:26])
    assert struct.unpack('<H', b[28:30])[0] == 8
    stride = (w + 3) & ~3
    px = lambda x, y: b[off + (h - 1 - y) * stride + x]
    return {t: [[px(16 * (t % 16) + c, 16 * (t // 16) + r) for c in range(16)]
                for r in range(16)] for t in range(64)}

def palette():
    """slot -> (r, g, b) as the display shows it: Allegro keeps the top six
    bits of the file's values and widens them back (63 -> 255, 32 -> 130)"""
    p = open('pallette.pcx', 'rb').read()[-769:]
    assert p[0] == 12
    widen = lambda v: (v >> 2) * 4 + (v >> 2) // 16
    return [tuple(widen(v) for v in p[1 + 3 * s:4 + 3 * s]) for s in range(256)]

def shot(png):
    raw = subprocess.run(['convert', png, '-depth', '8', 'rgb:-'], capture_output=True,
                         check=True).stdout
    assert len(raw) == 640 * 480 * 3
    return lambda x, y: tuple(raw[3 * (640 * y + x):3 * (640 * y + x) + 3])

def screen(lv, ox, oy, png):
    """the playfield below the band, pixel by pixel, away from insertions"""
    w, h, tiles, ins = lv
    pics, pal, got = pictures(), palette(), shot(png)
    rings = set((ix - ox + dx, iy - oy + dy) for ix, iy, _ in ins
                for dx in range(-3, 4) for dy in range(-3, 4))
    bad = []
    for y in range(49, 480):
        for x in range(640):
            if (x, y) in rings:
                continue
            lx, ly = x + ox, y + oy
            code = 0
            if 0 <= lx < 16 * w and 0 <= ly < 16 * h:
                t = tiles[(lx >> 4) * h + (ly >> 4)]
                if t < 64:
                    code = pics[t][ly & 15][lx & 15]
            if got(x, y) != pal[code]:
                bad.append((x, y))
    # the insertions: rings in slot 211
    for ix, iy, _ in ins:
        x, y = ix - ox + 2, iy - oy
        if 49 <= y < 480 and 0 <= x < 640 and got(x, y) != pal[211]:
            bad.append(('ring', ix, iy))
    # the status text in slot 200
    text = sum(got(x, y) == pal[200] for y in range(10, 18) for x in range(31, 300))
    assert text > 50, 'no status text'
    assert not bad, '%d pixels differ, first %s' % (len(bad), bad[:5])

def unique_tile(lv):
    """a tile with colours that no tile of the level and no sprite or status
    picture has, and how many of its pixels have them"""
    w, h, tiles, ins = lv
    pics, pal = pictures(), palette()
    others = set(pal[c] for t in set(tiles) if t < 64 for row in pics[t] for c in row)
    for name in ('sprites.bmp', 'status.bmp'):
        b = open(name, 'rb').read()
        off, = struct.unpack('<I', b[10:14])
        others |= set(pal[c] for c in b[off:])
    best = (0, None)
    for t in range(1, 64):
        own = [pal[c] for row in pics[t] for c in row if pal[c] not in others]
        if len(own) > best[0]:
            best = (len(own), t)
    return best[1], set(pal[c] for row in pics[best[1]] for c in row) - others

if __name__ == '__main__':
    what = sys.argv[1]
    if what == 'screen':
        lv = default_level() if sys.argv[2] == 'default' else level(sys.argv[2])
        screen(lv, int(sys.argv[3]), int(sys.argv[4]), sys.argv[5])
    elif what == 'dialog':
        # a file selector written in slot 211, as after any screen mode
        got, pal = shot(sys.argv[2]), palette()
        n = sum(got(x, y) == pal[211] for y in range(0, 480, 2) for x in range(0, 640, 2))
        assert n > 200, 'only %d pixels of the dialog colour' % n
    elif what == 'tile':
        print(unique_tile(level(sys.argv[2]))[0])
    elif what == 'game':
        t, colours = unique_tile(level(sys.argv[2]))
        got = subprocess.run(['convert', sys.argv[3], '-depth', '8', 'rgb:-'],
                             capture_output=True, check=True).stdout
        n = sum(tuple(got[i:i + 3]) in colours for i in range(0, len(got), 3))
        assert n >= 32, 'only %d pixels of tile %d' % (n, t)
PY
check() { (cd "$WORK" && PYTHONPATH="$E2E_DIR" python3 check.py "$@"); }
# shown NAME LEVEL OX OY: screenshots into $WORK/NAME.png until the editor
# shows LEVEL scrolled to (OX, OY), for up to 10 seconds.
shown() {
  local name=$1 i
  shift
  for i in $(seq 1 40); do
    kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the editor ended while waiting for $name"
    import -window root "$WORK/$name.png" 2>/dev/null &&
      check screen "$@" "$WORK/$name.png" 2>"$WORK/check.txt" && return 0
    sleep 0.25
  done
  e2e_fail "$name: $(tail -1 "$WORK/check.txt")"
}

# The view is scrolled so that the entry point lies in the middle of the
# screen, but never right of or below the level's top-left corner at
# (0, 48), just under the status band.
OX=$(( EX > 320 ? (EX - 320) / 4 * 4 : 0 ))
OY=$(( EY > 240 ? (EY - 240) / 4 * 4 : -48 ))
cp "$WORK/$LEVEL" "$WORK/original.map"
TILE=$(check tile original.map) || e2e_fail "no tile to paint with"

e2e_start sideview_edit
xdotool mousemove 639 0      # the pointer over the band, out of the level
shown start default 0 0
e2e_key l
sleep 1
e2e_type "$LEVEL"
e2e_key Return
shown loaded "$LEVEL" 0 0
# Scroll in steps of 4 pixels; the current tile by 16s and 1s.
[ "$OY" -lt 0 ] && xdotool key --delay 15 --repeat $(( -OY / 4 )) Up
[ "$OY" -gt 0 ] && xdotool key --delay 15 --repeat $(( OY / 4 )) Down
[ "$OX" -gt 0 ] && xdotool key --delay 15 --repeat $(( OX / 4 )) Right
[ $(( TILE / 16 )) -gt 0 ] && xdotool key --delay 15 --repeat $(( TILE / 16 )) Next
[ $(( TILE % 16 )) -gt 0 ] && xdotool key --delay 15 --repeat $(( TILE % 16 )) equal
sleep 0.5
xdotool mousemove 639 0
shown scrolled "$LEVEL" "$OX" "$OY"

# tap X Y: a click of no length at all, as xdotool makes it.
tap() {
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool click 1
  sleep 0.2
}
# Tiles A, B and C: the entry point's row and the two above it, one column
# to its right, on the screen at (SX, SY).
SX=$(( EX - OX + 16 )) SY=$(( EY - OY ))
tap $SX $SY                    # A
tap $SX $(( SY - 16 ))         # B
tap $SX $(( SY - 32 ))         # C
e2e_key ctrl+z ctrl+z          # C and B undone
e2e_key ctrl+y                 # B back
e2e_key ctrl+z
xdotool keydown Control_L Shift_L
sleep 0.1
xdotool key z                  # and back again
sleep 0.1
xdotool keyup Shift_L Control_L
sleep 0.2

# An insertion with Ctrl and a quick click, left of the entry point; its
# code typed; Tab back to the tiles.
IX=$(( SX - 40 )) IY=$(( SY - 8 ))
xdotool mousemove $IX $IY
sleep 0.2
xdotool keydown Control_L
sleep 0.1
xdotool click 1
sleep 0.1
xdotool keyup Control_L
sleep 0.2
e2e_type 42
e2e_key Tab
e2e_key F5                     # Hurt of the current tile
e2e_key F11 F12                # a small screen and back
sleep 1
e2e_key s
sleep 1
e2e_shot "$WORK/selector.png"
check dialog "$WORK/selector.png" || e2e_fail "the file selector is not in its colours"
e2e_select_file mine.map ${#LEVEL}
e2e_wait_saved "$WORK/mine.map" "the editor saved no mine.map"
cp "$WORK/mine.map" "$WORK/saved.map"
xdotool mousemove 639 0
shown saved mine.map "$OX" "$OY"

# mine.map: the level with tiles A and B painted, one insertion more with
# code 42 where the pointer was; tileattr.wz with Hurt toggled on that tile.
PYTHONPATH="$E2E_DIR" python3 - "$WORK" "$LEVEL" $(( SX + OX )) $(( SY + OY )) $(( IX + OX )) $(( IY + OY )) "$TILE" <<'PY' ||
import sys
from course_file import read_course
d, name = sys.argv[1] + '/', sys.argv[2]
ax, ay, ix, iy, tile = map(int, sys.argv[3:])
w, h, old, old_ins = read_course(d + name)
w2, h2, new, new_ins = read_course(d + 'mine.map')
assert (w2, h2) == (w, h), 'size changed'
diff = sorted(divmod(i, h) for i in range(w * h) if new[i] != old[i])
want = sorted(c for c in [(ax >> 4, ay >> 4), (ax >> 4, (ay >> 4) - 1)]
              if old[c[0] * h + c[1]] != tile)
assert diff == want, 'changed tiles (column, row): %s, not %s' % (diff, want)
assert all(new[x * h + y] == tile for x, y in diff), 'painted with another tile'
assert new_ins == old_ins + [(ix, iy, 42)], 'insertions: %s' % new_ins[len(old_ins):]
before, after = open(d + 'tileattr.before', 'rb').read(), open(d + 'tileattr.wz', 'rb').read()
assert len(after) == 256, 'tileattr.wz has %d bytes' % len(after)
changed = [i for i in range(256) if before[i] != after[i]]
assert changed == [tile] and before[tile] ^ after[tile] == 0x10, 'attributes: %s' % changed
PY
  e2e_fail "mine.map or tileattr.wz is not as edited"

# A change not saved: Esc asks; Cancel goes back, Discard leaves. (First
# the "Saved" note of the save above goes, after its two seconds.)
sleep 2.2
e2e_key F5
sleep 0.3
e2e_shot "$WORK/painted.png"
e2e_key Escape
sleep 0.5
e2e_shot "$WORK/question.png"
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "Esc with a change left without asking"
e2e_same "$WORK/painted.png" "$WORK/question.png" && e2e_fail "Esc with a change asked nothing"
e2e_key c
sleep 0.5
e2e_shot "$WORK/back.png"
e2e_same "$WORK/painted.png" "$WORK/back.png" || e2e_fail "Cancel did not go back to the level"
e2e_key Escape
sleep 0.5
e2e_key d
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC after Esc and Discard"
cmp -s "$WORK/mine.map" "$WORK/saved.map" || e2e_fail "mine.map changed without a save"
grep -q "Couldn't" "$WORK/report.txt" && e2e_fail "report.txt: $(cat "$WORK/report.txt")"

# sideview plays the saved level as its first: the painted tiles show.
cp "$WORK/mine.map" "$WORK/$LEVEL"
e2e_start sideview
for i in $(seq 1 20); do
  e2e_hold space 0.3
  import -window root "$WORK/game.png" 2>/dev/null &&
    check game original.map "$WORK/game.png" 2>/dev/null && break
done
check game original.map "$WORK/game.png" || e2e_fail "sideview does not show the painted tiles"
e2e_hold Escape 0.3
e2e_wait_exit 10
grep -q "Couldn't" "$WORK/report.txt" && e2e_fail "sideview's report.txt: $(cat "$WORK/report.txt")"
echo "sideview_edit: load, paint, undo, insertion, attribute, save, the Esc question, played: ok"
