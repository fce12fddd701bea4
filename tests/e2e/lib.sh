# lib.sh -- shared steps of the end-to-end tests: a private Xvfb, the program
# started in a scratch copy of its run folder, keys, mouse and screenshots.
# Source it, then call e2e_init WIDTHxHEIGHT.

set -u
E2E_PID=
E2E_XVFB=
E2E_WID=

e2e_fail() {
  echo "FAIL: $*" >&2
  [ -n "${WORK:-}" ] && [ -f "$WORK/err.txt" ] && sed 's/^/  stderr: /' "$WORK/err.txt" | tail -20 >&2
  exit 1
}

e2e_cleanup() {
  [ -n "$E2E_PID" ] && kill "$E2E_PID" 2>/dev/null
  [ -n "$E2E_XVFB" ] && kill "$E2E_XVFB" 2>/dev/null
  wait 2>/dev/null
  if [ -n "${WORK:-}" ] && [ -z "${E2E_KEEP:-}" ]; then rm -rf "$WORK"; fi
}

# e2e_init WxH: a scratch folder in $WORK and an Xvfb of that size on a free
# display, exported as DISPLAY.
e2e_init() {
  local size=$1
  WORK=$(mktemp -d /tmp/e2e.XXXXXX)
  trap e2e_cleanup EXIT
  local n
  for n in $(seq 80 199); do
    # Xvfb takes the lock file itself; a display whose lock exists is busy.
    [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 ${size}x24 -nolisten tcp >"$WORK/xvfb.txt" 2>&1 &
    E2E_XVFB=$!
    local i
    for i in $(seq 1 50); do
      [ -e /tmp/.X11-unix/X$n ] && break
      kill -0 $E2E_XVFB 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 $E2E_XVFB 2>/dev/null && [ -e /tmp/.X11-unix/X$n ]; then
      export DISPLAY=:$n
      return 0
    fi
    E2E_XVFB=
  done
  e2e_fail "no free display for Xvfb"
}

# e2e_copy_run DIR: copies a run folder into $WORK.
e2e_copy_run() {
  cp -r "$1"/. "$WORK"/ || e2e_fail "can't copy $1"
}

# e2e_start PROGRAM [ARGS...]: starts ./PROGRAM in $WORK and waits for its
# window. Standard output and error go to out.txt and err.txt.
e2e_start() {
  local prog=$1
  shift
  (cd "$WORK" && exec ./"$prog" "$@" >out.txt 2>err.txt) &
  E2E_PID=$!
  local i
  for i in $(seq 1 100); do
    E2E_WID=$(xdotool search --onlyvisible --name "$prog" 2>/dev/null | head -1)
    [ -n "$E2E_WID" ] && break
    kill -0 $E2E_PID 2>/dev/null || e2e_fail "$prog ended at start-up"
    sleep 0.1
  done
  [ -n "$E2E_WID" ] || e2e_fail "$prog showed no window"
  xdotool windowfocus --sync "$E2E_WID" 2>/dev/null
  sleep 0.5
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
