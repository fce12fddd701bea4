# topdown_window.sh -- topdown on a 1920x1080 desktop. --help lists the
# options and ends; an unknown option is named on stderr and the program goes
# on. Its window is 1280x960: the 640x480 picture twice as large. The menu, a
# game frame and the course editor (pointer included) are the pictures of a
# --scale=1 session with every pixel a 2x2 block. In the editor a click at a
# screen pixel paints the cell under it (the same cell the pixel at half its
# coordinates paints at --scale=1), and the file selector, shown enlarged,
# saves under a typed name. A window laid over the menu and taken away
# leaves the menu as it was. --scale=5, too large, is lowered to 2 with a
# line on stderr.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/topdown_lib.sh"
RUN=$1
BUILD=$2
e2e_init 1920x1080
e2e_copy_run "$RUN/topdown"

e2e_help_lists topdown --window --fullscreen --scale=N --help Alt+Enter F11

# Course 2 becomes a course of 2 x 2 tiles with one player start: too small
# for any random extra, so a game's picture holds still but for the clock.
python3 - "$WORK/m02.map" <<'PY'
import struct, sys
w, h = 2, 2
data = struct.pack('>HHH', w, h, 1) + bytes([1, 1, 1, 1]) + struct.pack('>iii', 40, 40, 11)
open(sys.argv[1], 'wb').write(data)
PY

# The screens in a shot taken at scale K.
K=1
menu_shown() { topdown_menu_shown "$1" $K; }
editor_shown() { topdown_editor_shown "$1" $K; }
# A game on the small course: black but for the corner and the grey panel.
game_shown() {
  ! menu_shown "$1" && [ "$(topdown_pixel "$1" 320 300 $K)" = "0,0,0" ] &&
    [ "$(topdown_pixel "$1" 150 470 $K)" != "0,0,0" ]
}

# session K ARGS...: the menu, a game on course 2 and the editor on course
# 1 at scale K, each kept as NAME-K.png at the window's size; the game
# without its heads-up panel (the clock runs).
session() {
  K=$1
  shift
  e2e_start topdown "$@"
  local size
  size=$(e2e_window_size | awk '{ print $1 "x" $2 "+" $3 "+" $4 }')
  [ "$size" = "$(( 640 * K ))x$(( 480 * K ))+0+0" ] || e2e_fail "the window is $size at scale $K"
  e2e_shot_until shot menu_shown
  e2e_crop "$WORK/shot.png" "$size" "$WORK/menu-$K.png"
  # Another window laid over the menu and taken away: the menu, waiting for
  # a key, draws again what it uncovered.
  e2e_cover "$BUILD" 100 100 400 300
  sleep 0.3
  e2e_shot "$WORK/shot.png"
  e2e_crop "$WORK/shot.png" "$size" "$WORK/uncovered.png"
  e2e_same "$WORK/uncovered.png" "$WORK/menu-$K.png" ||
    e2e_fail "the menu at scale $K was not drawn again where a window uncovered it"
  e2e_key Down Down Return Up Return Up Up Return   # course 2, Play
  e2e_shot_until shot game_shown
  sleep 1
  e2e_shot "$WORK/shot.png"
  e2e_crop "$WORK/shot.png" "$(( 640 * K ))x$(( 444 * K ))+0+0" "$WORK/game-$K.png"
  e2e_hold Escape 0.3
  e2e_shot_until shot menu_shown
  e2e_key Down Down Return Down Return Up Return    # course 1, the editor
  e2e_shot_until shot editor_shown
  xdotool mousemove $(( 300 * K )) $(( 200 * K ))
  sleep 0.5
  e2e_shot "$WORK/shot.png"
  e2e_crop "$WORK/shot.png" "$size" "$WORK/editor-$K.png"
}

session 1 --scale=1
e2e_key Escape Escape Escape
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC at scale 1"

session 2 --scael=2
e2e_unknown_option_named --scael=2
for name in menu game editor; do
  e2e_enlarged "$WORK/$name-1.png" "$WORK/$name-2.png" 2 ||
    e2e_fail "the $name at scale 2 is not the one at scale 1 enlarged"
done

# A click at (613, 455) on the screen is picture pixel (306, 227): tile
# (9, 7) of the course, painted with tile 255. Then Save as "mine.map".
e2e_key minus
e2e_click 613 455
e2e_key s
sleep 1
e2e_shot "$WORK/selector.png"
# The selector is drawn enlarged: its text (blue, the editor's colour) in
# 2x2 blocks over the middle of the window.
e2e_crop "$WORK/selector.png" 1280x960+0+0 "$WORK/selector-2.png"
convert "$WORK/selector-2.png" -sample 50% "$WORK/selector-1.png"
e2e_enlarged "$WORK/selector-1.png" "$WORK/selector-2.png" 2 ||
  e2e_fail "the file selector is not drawn at scale 2"
e2e_same "$WORK/selector-2.png" "$WORK/editor-2.png" && e2e_fail "S showed no file selector"
e2e_select_file mine.map 7
e2e_wait_saved "$WORK/mine.map" "the file selector saved no mine.map"
python3 - "$WORK/m01.map" "$WORK/mine.map" <<'PY' || e2e_fail "mine.map is not course 1 with tile (9, 7) painted"
import struct, sys
def read(path):
    data = open(path, 'rb').read()
    w, h, n = struct.unpack('>HHH', data[:6])
    return w, h, data[6:6 + w * h], data[6 + w * h:]
w, h, old, old_ins = read(sys.argv[1])
w2, h2, new, new_ins = read(sys.argv[2])
assert (w2, h2) == (w, h) and new_ins == old_ins
diff = [divmod(i, h) for i in range(w * h) if new[i] != old[i]]
assert diff == [(9, 7)] and new[9 * h + 7] == 255, diff
PY
e2e_key Escape Escape Escape
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC at scale 2"

# A factor too large for the desktop is lowered to the largest that fits,
# with one line saying so.
e2e_start topdown --scale=5
[ "$(e2e_window_size)" = "1280 960 0 0" ] || e2e_fail "with --scale=5 the window is $(e2e_window_size)"
[ "$(grep -c -e '--scale=5.*1920x1080.*--scale=2' "$WORK/err.txt")" = 1 ] ||
  e2e_fail "no one line about --scale=5 lowered: $(grep -v ALSA "$WORK/err.txt")"
e2e_key Escape Escape
e2e_wait_exit 10
echo "topdown window: 1280x960, menu, game and editor enlarged, the click's cell, the selector, a scale lowered: ok"
