# sideview_edit_four.sh -- "sideview_edit -four" as the build runs it, with
# no display: it merges the four credits pictures of the run folder into
# "four.bmp", equal to the merge computed here, opens no log and exits 0;
# with an input missing it says which, exits 1 and leaves no "four.bmp".
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
echo "sideview_edit -four: ok"
