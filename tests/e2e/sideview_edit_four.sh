# sideview_edit_four.sh -- "sideview_edit -four" as the build runs it, with
# no display: it merges the four credits pictures of the run folder into
# "four.bmp", equal to the merge computed here, opens no log and exits 0;
# with an input missing, a folder, or a picture of another depth or size,
# it names the file and what it is, exits 1 and leaves no "four.bmp".
set -u
RUN=$1
WORK=$(mktemp -d /tmp/e2e.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
EDIT=$(cd "$RUN/sideview" 2>/dev/null && pwd)/sideview_edit
[ -x "$EDIT" ] || fail "no $EDIT"
for f in red green blue grey; do
  cp "$RUN/sideview/$f.bmp" "$WORK/" || fail "no $f.bmp in $RUN/sideview"
done

(cd "$WORK" && env -u DISPLAY "$EDIT" -four >out.txt 2>err.txt)
rc=$?
[ "$rc" = 0 ] || fail "exit status $rc: $(cat "$WORK/err.txt")"
[ -e "$WORK/report.txt" ] && fail "-four opened the log"
python3 - "$WORK" <<'PY' || fail "four.bmp is not the merge of the four pictures"
import sys
d = sys.argv[1] + '/'
files = [open(d + n + '.bmp', 'rb').read() for n in ('red', 'green', 'blue', 'grey')]
out = open(d + 'four.bmp', 'rb').read()
assert len(out) == 118 + 38400, 'four.bmp has %d bytes' % len(out)
assert out[:118] == files[3][:118], "the header is not grey.bmp's"
for i in range(118, 118 + 38400):
    want = sum(f[i] for f in files) & 0xFF
    assert out[i] == want, 'byte %d is %d, not %d' % (i, out[i], want)
# The pictures use one bit each, so the merge is their union.
for i in range(118, 118 + 38400):
    union = 0
    for f in files:
        union |= f[i]
    assert out[i] == union, 'byte %d: the pictures share bits' % i
PY
cmp -s "$WORK/four.bmp" "$RUN/sideview/four.bmp" || fail "the build's four.bmp differs"

# An input missing: no four.bmp at all.
rm "$WORK/four.bmp" "$WORK/blue.bmp"
(cd "$WORK" && env -u DISPLAY "$EDIT" -four >out.txt 2>err.txt)
rc=$?
[ "$rc" = 1 ] || fail "a missing blue.bmp gave exit status $rc"
grep -q '"blue.bmp"' "$WORK/err.txt" || fail "no message naming blue.bmp: $(cat "$WORK/err.txt")"
ls "$WORK" | grep -q '^four' && fail "a failed run left $(ls "$WORK" | grep '^four')"

# Inputs of another kind: each named with what it is; no four.bmp.
cp "$RUN/sideview/blue.bmp" "$WORK/"
refused() {  # FILE WHAT: -four refuses FILE, saying WHAT
  (cd "$WORK" && env -u DISPLAY "$EDIT" -four >out.txt 2>err.txt)
  local rc=$?
  [ "$rc" = 1 ] || fail "$1 ($2): exit status $rc"
  grep -qF "\"$1\" is " "$WORK/err.txt" || fail "$1: not named: $(cat "$WORK/err.txt")"
  grep -qF "$2" "$WORK/err.txt" || fail "$1: not said to be $2: $(cat "$WORK/err.txt")"
  ls "$WORK" | grep -q '^four' && fail "$1 ($2) left $(ls "$WORK" | grep '^four')"
  echo "refused: $(cat "$WORK/err.txt")"
}
# picture FILE BITS W H: a BMP of that depth and size, bottom row first.
picture() {
  python3 - "$WORK/$1" "$2" "$3" "$4" <<'PY'
import struct, sys
name, bits, w, h = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
colours = 1 << bits if bits <= 8 else 0
stride = (w * bits + 31) // 32 * 4
at = 54 + 4 * colours
data = bytes([0x11]) * (stride * h)
head = b'BM' + struct.pack('<IHHI', at + len(data), 0, 0, at)
head += struct.pack('<IiiHHIIiiII', 40, w, h, 1, bits, 0, len(data), 2835, 2835, colours, 0)
open(name, 'wb').write(head + bytes(4 * colours) + data)
PY
}
for f in red green blue grey; do cp "$RUN/sideview/$f.bmp" "$WORK/"; done
picture green.bmp 8 320 240
refused green.bmp "256-colour (8 bits per pixel) 320x240"
cp "$RUN/sideview/green.bmp" "$WORK/"
picture grey.bmp 24 320 240
refused grey.bmp "24-bit 320x240"
cp "$RUN/sideview/grey.bmp" "$WORK/"
picture red.bmp 4 320 200
refused red.bmp "16-colour (4 bits per pixel) 320x200"
cp "$RUN/sideview/red.bmp" "$WORK/"
rm "$WORK/blue.bmp"
mkdir "$WORK/blue.bmp"
refused blue.bmp "a folder"
echo "sideview_edit -four: ok"
