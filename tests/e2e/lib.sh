# lib.sh -- shared steps of the end-to-end tests: a private Xvfb, the program
# started in a scratch copy of its run folder, keys, mouse and screenshots.
# Source it, then call e2e_init WIDTHxHEIGHT.

set -u
# This folder: the Python helpers of the checks (course_file.py) are here;
# run them as PYTHONPATH="$E2E_DIR" python3 ...
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_PID=
E2E_XVFB=
E2E_WID=

e2e_fail() {
  echo "FAIL: $*" >&2
  [ -n "${WORK:-}" ] && [ -f "$WORK/err.txt" ] && sed 's/^/  stderr: /' "$WORK/err.txt" | tail -20 >&2
  exit 1
}

e2e_cleanup() {
  # Stop the program before its X server: a program that loses its display
  # first may hang in its exit handler. SIGKILL if SIGTERM is not enough.
  if [ -n "$E2E_PID" ]; then
    kill "$E2E_PID" 2>/dev/null
    local i
    for i in 1 2 3 4 5 6 7 8 9 10; do
      kill -0 "$E2E_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$E2E_PID" 2>/dev/null
  fi
  [ -n "$E2E_XVFB" ] && kill "$E2E_XVFB" 2>/dev/null
  wait 2>/dev/null
  if [ -n "${WORK:-}" ] && [ -z "${E2E_KEEP:-}" ]; then rm -rf "$WORK"; fi
}

# e2e_init WxH: a scratch folder in $WORK and an Xvfb of that size on a free
# display, exported as DISPLAY.
e2e_init() {
  local size=$1 try
  WORK=$(mktemp -d /tmp/e2e.XXXXXX)
  trap e2e_cleanup EXIT
  for try in 1 2 3; do
    e2e_xvfb "$size" && return 0
    kill "$E2E_XVFB" 2>/dev/null
    wait "$E2E_XVFB" 2>/dev/null
    E2E_XVFB=
  done
  e2e_fail "Xvfb did not start: $(cat "$WORK/xvfb.txt")"
}

# e2e_xvfb WxH: one try at starting the X server. Xvfb picks a free display
# itself and writes its number to the given file descriptor, so tests
# running side by side never share a display. The display must answer
# before it is used. -noreset: an X server resets itself whenever its last
# client leaves, and refuses a client that connects during the reset; the
# check below, and xdotool while a test waits for the program's window, are
# clients that come and go just as the program connects, which made the
# program fail now and then with "Couldn't start Allegro".
e2e_xvfb() {
  Xvfb -displayfd 3 -screen 0 "$1"x24 -nolisten tcp -noreset 3>"$WORK/display.txt" \
    >"$WORK/xvfb.txt" 2>&1 &
  E2E_XVFB=$!
  local i n=
  for i in $(seq 1 100); do
    n=$(head -1 "$WORK/display.txt" 2>/dev/null)
    [ -n "$n" ] && break
    kill -0 $E2E_XVFB 2>/dev/null || return 1
    sleep 0.1
  done
  [ -n "$n" ] || return 1
  export DISPLAY=:$n
  sleep 0.2
  [ "$(xdotool getdisplaygeometry 2>/dev/null)" = "${1/x/ }" ]
}

# e2e_copy_run DIR [FILE...]: copies a run folder into $WORK; fails if it
# lacks one of the files named.
e2e_copy_run() {
  local dir=$1 f
  shift
  cp -r "$dir"/. "$WORK"/ || e2e_fail "can't copy $dir"
  for f in "$@"; do
    [ -f "$WORK/$f" ] || e2e_fail "no $f in $dir"
  done
}

# e2e_start PROGRAM [ARGS...]: starts ./PROGRAM in $WORK and waits for its
# window. Standard output and error go to out.txt and err.txt. The program's
# window is named after it (a window by default, or one as large as the
# screen with --fullscreen); once it shows, the pointer goes to its middle:
# with no window manager, focus follows the pointer.
e2e_start() {
  local prog=$1
  shift
  e2e_launch "$prog" ./"$prog" "$@"
}

# e2e_launch NAME COMMAND [ARGS...]: as e2e_start, for any command (an
# installed one by its path, one run as another user) whose window is
# named NAME; it starts in $E2E_RUN_DIR when that is set, else in $WORK.
# Its output still goes to $WORK/out.txt and $WORK/err.txt.
e2e_launch() {
  local prog=$1
  shift
  (cd "${E2E_RUN_DIR:-$WORK}" && exec "$@" >"$WORK/out.txt" 2>"$WORK/err.txt") &
  E2E_PID=$!
  local i
  for i in $(seq 1 100); do
    E2E_WID=$(xdotool search --onlyvisible --name "^$prog\$" 2>/dev/null | head -1)
    [ -n "$E2E_WID" ] && break
    kill -0 $E2E_PID 2>/dev/null || e2e_fail "$prog ended at start-up"
    sleep 0.1
  done
  [ -n "$E2E_WID" ] || e2e_fail "$prog showed no window"
  e2e_point_at_window
  sleep 0.5
}

# e2e_capture_sound: the sound of programs started from here on goes to
# $WORK/sound.wav (ALSA's file plugin over its null device; the plug layer
# takes Allegro's unsigned 16-bit samples).
e2e_capture_sound() {
  cat >"$WORK/asound.conf" <<EOF
pcm.!default { type plug; slave { pcm { type file; slave.pcm { type null };
  file "$WORK/sound.wav"; format "wav" }; format S16_LE } }
EOF
  export ALSA_CONFIG_PATH="$WORK/asound.conf"
}

# e2e_start_fullscreen PROGRAM [ARGS...]: starts ./PROGRAM in $WORK like
# e2e_start, without waiting for a window: in a full-screen mode the window
# shown has no name, so the test follows the screen or the program's output.
e2e_start_fullscreen() {
  local prog=$1
  shift
  (cd "$WORK" && exec ./"$prog" "$@" >out.txt 2>err.txt) &
  E2E_PID=$!
}

# e2e_abort MESSAGE: fails, killing the program outright first: a program
# whose X server goes away while it ends on SIGTERM can hang in Allegro's
# exit handler.
e2e_abort() {
  if [ -n "$E2E_PID" ]; then
    kill -9 "$E2E_PID" 2>/dev/null
    wait "$E2E_PID" 2>/dev/null
    E2E_PID=
  fi
  e2e_fail "$@"
}

# e2e_window_size: the program's window as "W H X Y".
e2e_window_size() {
  xwininfo -id "$E2E_WID" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { print w, h, x, y }'
}

# e2e_point_at_window: the pointer to the middle of the program's window.
e2e_point_at_window() {
  local w h x y
  read -r w h x y < <(e2e_window_size)
  xdotool mousemove $(( x + w / 2 )) $(( y + h / 2 ))
}

# e2e_shot_until NAME TEST [ARGS...]: takes screenshots into $WORK/NAME.png
# until the command TEST ARGS... PICTURE succeeds, for up to 10 seconds.
e2e_shot_until() {
  local name=$1 i
  shift
  for i in $(seq 1 40); do
    kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the program ended while waiting for $name"
    if import -window root "$WORK/$name.png" 2>/dev/null && "$@" "$WORK/$name.png"; then
      return 0
    fi
    sleep 0.25
  done
  e2e_fail "timed out waiting for $name"
}

# e2e_key KEY...: presses and releases keys (one readkey() each).
e2e_key() {
  local k
  for k in "$@"; do
    xdotool key --delay 80 "$k"
    sleep 0.15
  done
}

# e2e_type TEXT: types text into the focused window.
e2e_type() { xdotool type --delay 80 "$1"; sleep 0.2; }

# e2e_hold KEY SECONDS: holds a key down, for programs that poll key[].
e2e_hold() {
  xdotool keydown "$1"
  sleep "$2"
  xdotool keyup "$1"
  sleep 0.1
}

# e2e_click X Y [BUTTON]: moves the pointer and clicks slowly enough for a
# program that polls mouse_b.
e2e_click() {
  xdotool mousemove "$1" "$2"
  sleep 0.15
  xdotool mousedown "${3:-1}"
  sleep 0.15
  xdotool mouseup "${3:-1}"
  sleep 0.15
}

# e2e_shot FILE: screenshot of the whole screen as PNG.
e2e_shot() { import -window root "$1" || e2e_fail "screenshot failed"; }

# e2e_pixel FILE X Y: prints the pixel as "R,G,B" (0..255 each).
e2e_pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# e2e_colours FILE: number of distinct colours in the picture.
e2e_colours() { convert "$1" -format "%k" info:; }

# e2e_same FILE1 FILE2: true if the two pictures are identical.
e2e_same() {
  [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = "0" ]
}

# e2e_help_lists PROGRAM WORD...: ./PROGRAM --help in $WORK ends with status
# 0 and its help (kept in help.txt) names every word.
e2e_help_lists() {
  local prog=$1 word rc
  shift
  (cd "$WORK" && exec ./"$prog" --help >help.txt 2>help_err.txt)
  rc=$?
  [ $rc = 0 ] || e2e_fail "exit status $rc for $prog --help"
  for word in "$@"; do
    grep -q -e "$word" "$WORK/help.txt" || e2e_fail "$prog --help does not list $word"
  done
}

# e2e_unknown_option_named OPTION: the program's stderr has the line that
# names OPTION as unknown and points at --help.
e2e_unknown_option_named() {
  grep -q -e "unknown option \"$1\".*--help" "$WORK/err.txt" ||
    e2e_fail "no line about $1 on stderr: $(grep -v ALSA "$WORK/err.txt")"
}

# e2e_select_file NAME [ERASE]: in an open file selector, erases ERASE
# characters of the name it offers (none by default), types NAME and
# presses Return.
e2e_select_file() {
  local i
  for i in $(seq 1 "${2:-0}"); do xdotool key BackSpace; done
  e2e_type "$1"
  e2e_key Return
}

# e2e_wait_saved FILE WHAT: waits up to 10 s for FILE to have something in
# it; fails saying WHAT was not saved.
e2e_wait_saved() {
  local i
  for i in $(seq 1 40); do
    [ -s "$1" ] && return 0
    sleep 0.25
  done
  e2e_fail "$2"
}

# e2e_keys_screen_over PICTURE WHAT: over a paused game whose screenshot is
# PICTURE, F1 shows the keys, and any key (x) goes back to the same picture.
e2e_keys_screen_over() {
  e2e_key F1
  sleep 0.3
  e2e_shot "$WORK/keys.png"
  e2e_same "$WORK/keys.png" "$1" && e2e_fail "F1 showed no keys over $2"
  e2e_key x
  sleep 0.3
  e2e_shot "$WORK/keys_gone.png"
  e2e_same "$WORK/keys_gone.png" "$1" || e2e_fail "the keys did not give way to $2"
}

# e2e_escape_out NAME: Esc, held as programs that poll key[] need it, until
# the program ends, three times at the most; fails unless it ends with
# status 0.
e2e_escape_out() {
  local i
  for i in 1 2 3; do
    kill -0 "$E2E_PID" 2>/dev/null || break
    e2e_hold Escape 0.3
    sleep 0.5
  done
  e2e_wait_exit 10
  [ "$E2E_RC" = 0 ] || e2e_fail "$1: exit status $E2E_RC"
}

# e2e_wait_exit SECONDS: waits for the program to end and sets E2E_RC to its
# exit status; fails if it is still running after SECONDS. Call it directly,
# not in $(...), so that it can wait for the program.
e2e_wait_exit() {
  local i
  for i in $(seq 1 $(( $1 * 10 ))); do
    if ! kill -0 $E2E_PID 2>/dev/null; then
      wait $E2E_PID
      E2E_RC=$?
      E2E_PID=
      return 0
    fi
    sleep 0.1
  done
  e2e_fail "program still running after $1 s"
}

# e2e_crop FILE GEOMETRY OUT: the part WxH+X+Y of a picture.
e2e_crop() { convert "$1" -crop "$2" +repage "$3" || e2e_fail "can't crop $1"; }

# e2e_enlarged SMALL BIG K: true if BIG is SMALL with every pixel a K x K
# block of its colour (and nothing else).
e2e_enlarged() {
  convert "$1" -sample "$(( 100 * $3 ))%" "$WORK/enlarged.png" && e2e_same "$WORK/enlarged.png" "$2"
}

# e2e_cover BUILD X Y W H: another window over that part of the screen for
# half a second, then gone (tests/e2e/cover_window.cpp, built in BUILD).
e2e_cover() {
  "$1/tests/e2e/cover_window" "$2" "$3" "$4" "$5" || e2e_fail "can't lay a window over the screen"
}

# e2e_steal_focus: another program's window takes the input focus, then
# goes away (with no window manager the focus then stays nowhere).
e2e_steal_focus() {
  xlogo -geometry 40x40+0+0 &
  local logo=$! i w=
  for i in $(seq 1 50); do
    w=$(xdotool search --name '^xlogo$' 2>/dev/null | head -1)
    [ -n "$w" ] && break
    sleep 0.1
  done
  [ -n "$w" ] || e2e_fail "no other window to take the focus"
  xdotool windowfocus --sync "$w" 2>/dev/null
  sleep 0.5
  kill $logo
  wait $logo 2>/dev/null
  sleep 0.5
}

# e2e_close BUILD: the close button of the program's window, as a window
# manager presses it (tests/e2e/send_close.cpp, built in BUILD).
e2e_close() {
  "$1/tests/e2e/send_close" "$E2E_WID" || e2e_fail "can't send the close message"
}
