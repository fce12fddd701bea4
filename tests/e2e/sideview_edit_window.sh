# sideview_edit_window.sh -- sideview_edit on a 1920x1080 desktop. --help
# lists the options and "-four" and ends; an unknown option is named on
# stderr and the editor goes on. Its window is 1280x960, the 640x480 picture
# twice as large, and a click paints the tile under the pointer; F11 makes
# the 320x200 picture, four times as large in a 1280x800 window, where a
# click paints the tile under it too; F12 goes back. Both tiles are in the
# level saved through the file selector. With a change not saved the
# window's close button brings the question, and Yes ends the editor.
source "$(dirname "$0")/lib.sh"
RUN=$1
BUILD=$2
e2e_init 1920x1080
e2e_copy_run "$RUN/sideview"

e2e_help_lists sideview_edit --window --fullscreen --scale=N --help -four Alt+Enter

window() { e2e_window_size | awk '{ print $1 "x" $2 "+" $3 "+" $4 }'; }
# blocks K SIZE: the window's picture (SIZE, from the top-left) is made of
# K x K blocks.
blocks() {
  e2e_shot "$WORK/shot.png"
  e2e_crop "$WORK/shot.png" "$2+0+0" "$WORK/big.png"
  convert "$WORK/big.png" -sample "$(( 100 / $1 ))%" "$WORK/small.png"
  e2e_enlarged "$WORK/small.png" "$WORK/big.png" "$1"
}

e2e_start sideview_edit --scael=2
e2e_unknown_option_named --scael=2
[ "$(window)" = "1280x960+0+0" ] || e2e_fail "the window is $(window)"

# The editor starts on its own level of 25 x 25 tiles, its top-left corner
# at picture (0, 0). Tile 3 is painted at picture (200, 150), tile (12, 9),
# clicked at screen (401, 301).
e2e_key equal equal equal
e2e_click 401 301
blocks 2 1280x960 || e2e_fail "the 640x480 picture is not made of 2x2 blocks"

e2e_key F11
sleep 1
[ "$(window)" = "1280x800+0+0" ] || e2e_fail "after F11 the window is $(window)"
# Picture (100, 120), tile (6, 7), is screen (403, 481).
e2e_click 403 481
blocks 4 1280x800 || e2e_fail "the 320x200 picture is not made of 4x4 blocks"
e2e_key F12
sleep 1
[ "$(window)" = "1280x960+0+0" ] || e2e_fail "after F12 the window is $(window)"
e2e_point_at_window

e2e_key s
sleep 1
e2e_select_file mine.map
e2e_wait_saved "$WORK/mine.map" "the file selector saved no mine.map"
python3 - "$WORK/mine.map" <<'PY' || e2e_fail "mine.map is not the editor's level with tiles (12, 9) and (6, 7) painted"
import struct, sys
data = open(sys.argv[1], 'rb').read()
w, h, n = struct.unpack('>HHH', data[:6])
assert (w, h, n) == (25, 25, 0), (w, h, n)
tiles = data[6:6 + w * h]
for x in range(w):
    for y in range(h):
        want = 3 if (x, y) in ((12, 9), (6, 7)) else 1 if x in (0, 24) or y in (0, 24) else 2
        assert tiles[x * h + y] == want, (x, y, tiles[x * h + y])
PY
cp "$WORK/mine.map" "$WORK/saved.map"

e2e_click 601 601               # a change not saved
sleep 0.3
e2e_shot "$WORK/painted.png"
e2e_close "$BUILD"
sleep 1
e2e_shot "$WORK/question.png"
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the close button left without asking"
e2e_same "$WORK/painted.png" "$WORK/question.png" && e2e_fail "the close button asked nothing"
e2e_key d                       # Discard
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC after the close button and Discard"
cmp -s "$WORK/mine.map" "$WORK/saved.map" || e2e_fail "mine.map changed without a save"
echo "sideview_edit window: scale 2, F11 at scale 4 and F12, the clicks' tiles, the close button: ok"
