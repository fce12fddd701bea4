# sideview_scale.sh -- sideview's picture enlarged by a whole factor. On a
# 320x240 screen with --scale=1 (and SIDEVIEW_SCALE=2, which the option
# overrides) the credits are taken as the reference; on a 1280x960 screen
# with --fullscreen and no scale the program picks 4 by itself, and the
# credits show as the reference with every pixel a 4x4 block of its colour. In both, Space
# goes on to the first level (a corridor of the test's own), which at
# scale 4 is again the level at scale 1 enlarged, and stays made of 4x4
# blocks while the view scrolls; Esc ends the game. A bad scale is refused
# with a message and status 1; --help lists the options; an unknown option
# is named and the game goes on. With no option the 1280x960 screen gets a
# 960x720 window (room is left for a frame); Alt+Enter in the credits shows
# them over the whole screen at scale 4 in their own colours, and the
# window's close button ends the game with status 0.
HERE=$(dirname "$0")
source "$HERE/lib.sh"
RUN=$1
BUILD=$2
unset SIDEVIEW_SCALE
e2e_init 320x240
e2e_copy_run "$RUN/sideview"
"$BUILD/tools/mapc" "$HERE/../../data/sideview/tiles.txt" "$HERE/sideview_corridor.txt" \
  "$WORK/tr01.map" || e2e_fail "can't compile the corridor"
echo "0 11" >"$WORK/hops.txt"

# Bad values end the program before it opens a window.
for bad in "--scale=9" "--scale=two" "--scale"; do
  (cd "$WORK" && exec ./sideview "$bad" >out.txt 2>err.txt)
  rc=$?
  [ $rc = 1 ] || e2e_fail "exit status $rc for $bad"
  grep -qe "$bad" "$WORK/err.txt" || e2e_fail "no message naming $bad"
done
(cd "$WORK" && SIDEVIEW_SCALE=0 exec ./sideview >out.txt 2>err.txt)
rc=$?
[ $rc = 1 ] || e2e_fail "exit status $rc for SIDEVIEW_SCALE=0"
grep -q SIDEVIEW_SCALE "$WORK/err.txt" || e2e_fail "no message naming SIDEVIEW_SCALE"

e2e_help_lists sideview --window --fullscreen --scale=N --help SIDEVIEW_SCALE MUSIC.mid F11

# new_screen WxH: the previous X server makes way for one of another size.
new_screen() {
  kill "$E2E_XVFB" 2>/dev/null
  wait "$E2E_XVFB" 2>/dev/null
  local try
  for try in 1 2 3; do
    e2e_xvfb "$1" && return 0
    kill "$E2E_XVFB" 2>/dev/null
    wait "$E2E_XVFB" 2>/dev/null
  done
  e2e_fail "Xvfb did not start at $1"
}

# still_picture NAME: waits for the picture to hold still (two screenshots
# 0.4 s apart the same, and not black) and keeps it as NAME.png. In the
# credits that is the first picture at full brightness.
still_picture() {
  local i
  e2e_shot "$WORK/$1.png"
  for i in $(seq 1 60); do
    sleep 0.4
    e2e_shot "$WORK/$1.next.png"
    if e2e_same "$WORK/$1.png" "$WORK/$1.next.png" && [ "$(e2e_colours "$WORK/$1.png")" -gt 1 ]; then
      return 0
    fi
    mv "$WORK/$1.next.png" "$WORK/$1.png"
  done
  e2e_fail "the picture never held still for $1"
}

# level_shown NAME: after Space the first level comes up in colour; NAME.png
# is the level once the player has landed.
level_shown() {
  e2e_hold space 0.3
  e2e_shot_until "$1" level_in_colour
  still_picture "$1"
}
level_in_colour() { [ "$(e2e_colours "$1")" -gt 16 ]; }

# blocks K FILE: every K x K block of the picture is of one colour.
blocks() {
  local k=$1 f=$2 small=$WORK/small.png big=$WORK/blocks.png
  convert "$f" -sample "$((100 / k))%" "$small" &&
    convert "$small" -sample "$((100 * k))%" "$big" && e2e_same "$f" "$big"
}

# leave: Esc during the level ends the game with status 0.
leave() {
  e2e_hold Escape 0.3
  e2e_wait_exit 15
  [ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC after Esc at scale $1"
}

# shot_until_reference NAME: screenshots into NAME.png until one is the
# credits' reference at scale 4, for up to some 20 s; false if none is.
shot_until_reference() {
  local i
  for i in $(seq 1 100); do
    e2e_shot "$WORK/$1.png"
    e2e_same "$WORK/$1.png" "$WORK/reference4.png" && return 0
    kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "sideview ended in the credits"
    sleep 0.2
  done
  return 1
}

# Scale 1: the reference.
SIDEVIEW_SCALE=2 e2e_start sideview --scale=1 --scael=2
e2e_unknown_option_named --scael=2
still_picture reference
[ "$(identify -format %wx%h "$WORK/reference.png")" = 320x240 ] || e2e_fail "no 320x240 screen"
level_shown level1
leave 1

# Scale 4, chosen by the program for the whole of a 1280x960 screen.
new_screen 1280x960
convert "$WORK/reference.png" -sample 400% "$WORK/reference4.png"
convert "$WORK/level1.png" -sample 400% "$WORK/level1x4.png"
e2e_start sideview --fullscreen
# The held picture shows for a second at first, and for good after some 13 s.
shot_until_reference credits4
[ "$(identify -format %wx%h "$WORK/credits4.png")" = 1280x960 ] || e2e_fail "no 1280x960 screen"
e2e_same "$WORK/credits4.png" "$WORK/reference4.png" ||
  e2e_fail "the credits at scale 4 are not the reference enlarged"
level_shown level4
e2e_same "$WORK/level4.png" "$WORK/level1x4.png" ||
  e2e_fail "the level at scale 4 is not the level at scale 1 enlarged"
# Walking right scrolls the whole view: every row changes at once.
xdotool keydown Right
sleep 0.6
e2e_shot "$WORK/walking4.png"
xdotool keyup Right
e2e_same "$WORK/walking4.png" "$WORK/level4.png" && e2e_fail "walking right changed nothing"
blocks 4 "$WORK/walking4.png" || e2e_fail "the scrolled level at scale 4 is not made of 4x4 blocks"
leave 4

# A window by default, three times as large. Alt+Enter in the credits: the
# full screen at 4, the palette set again (the held picture as at first);
# then the close button.
e2e_start sideview
[ "$(e2e_window_size)" = "960 720 0 0" ] || e2e_fail "the window is $(e2e_window_size)"
xdotool key alt+Return
shot_until_reference switched
e2e_same "$WORK/switched.png" "$WORK/reference4.png" ||
  e2e_fail "after Alt+Enter the credits are not the reference at scale 4"
[ "$(e2e_window_size)" = "1280 960 0 0" ] || e2e_fail "the full screen's window is $(e2e_window_size)"
e2e_close "$BUILD"
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC after the close button in the credits"
echo "sideview scale: credits and level at 4 are those at 1 enlarged, 4x4 blocks while scrolling, Space and Esc work, the window, the close button"
