# The machine layer on a real screen. The demonstration program shows a
# direct-colour picture, a palette-mode picture, then the same after two
# palette writes; Space moves on, Esc ends. At each stage it lists probe
# points with the colour code each must show. Every probed screen pixel
# must be the colour the colour-code formula gives for that code (shifted
# by 10 in the palette), scaled from Allegro's 0..63 to 0..255 as its X11
# driver does (v x 4 + v / 16: 63 -> 255, 32 -> 130, 11 -> 44). Frames must
# be held to 50 per second, and the demo's tone (period 2271 on voice 0)
# must reach the audio output at about 439.6 Hz.
. "$(dirname "$0")/lib.sh"

BUILD=$2
DEMO=$BUILD/tests/sideview/machine_demo
[ -x "$DEMO" ] || { echo "FAIL: $DEMO not built" >&2; exit 1; }

fail() { e2e_abort "$@"; }

e2e_init 320x240
cp "$DEMO" "$WORK/"
# Full screen: follow the demo's progress on standard output; its sound
# goes to a file.
e2e_capture_sound
e2e_start_fullscreen machine_demo

wait_stage() {
  local i
  for i in $(seq 1 100); do
    grep -qx "stage $1" "$WORK/out.txt" 2>/dev/null && return 0
    kill -0 $E2E_PID 2>/dev/null || fail "demo ended before stage $1"
    sleep 0.1
  done
  fail "stage $1 never showed"
}

# check_stage N: compares the probes of stage N with a screenshot.
check_stage() {
  local shot=$WORK/stage$1.png
  e2e_shot "$shot"
  convert "$shot" -depth 8 txt:- >"$WORK/pixels.txt" || fail "can't read $shot"
  awk -v stage="$1" '
    function six(x) { if (x < 0) x = 0; if (x > 1) x = 1; return int(x * 63) }
    function eight(x,   v) { v = six(x); return v * 4 + int(v / 16) }
    # The colour formula: luma from the high nibble, chroma from bits 3-2
    # and 1-0 (BT.601, studio range).
    function colour(i,   Y, Cb, Cr) {
      Y = int(i / 16) * 16 * 219 / 256
      Cb = (int((i % 16) / 4) * 64 - 128) * 224 / 256
      Cr = ((i % 4) * 64 - 128) * 224 / 256
      return eight(Y * 0.00456621 + Cr * 0.00625893) ","         \
             eight(Y * 0.00456621 - Cb * 0.00153632 - Cr * 0.00318811) "," \
             eight(Y * 0.00456621 + Cb * 0.00791071)
    }
    FNR == NR {  # pixels.txt: "X,Y: (R,G,B) ..."
      if ($1 ~ /^[0-9]+,[0-9]+:$/) {
        p = $2; gsub(/[()]/, "", p); split(p, c, ",")
        px[substr($1, 1, length($1) - 1)] = c[1] "," c[2] "," c[3]
      }
      next
    }
    $1 == "stage" { on = ($2 == stage); next }
    on && $1 == "probe" {
      n++
      want = colour(($4 + 10) % 256)
      got = px[$2 "," $3]
      if (got != want) { bad++; printf "stage %s at %s,%s code %s: got %s, want %s\n", stage, $2, $3, $4, got, want }
    }
    END { if (n < 32) { print "only " n " probes"; exit 1 } exit bad > 0 }
  ' "$WORK/pixels.txt" "$WORK/out.txt" >&2 || fail "stage $1 shows other colours"
}

next_stage() {
  xdotool keydown space
  sleep 0.3
  xdotool keyup space
}

wait_stage 1
sleep 0.2
check_stage 1
next_stage
wait_stage 2
sleep 0.2
check_stage 2
next_stage
wait_stage 3
sleep 0.2
check_stage 3
# Stage 3 differs from stage 2 exactly where the two entries show.
[ "$(compare -metric AE "$WORK/stage2.png" "$WORK/stage3.png" null: 2>&1)" = "$((2 * 20 * 120))" ] ||
  fail "the palette change touched other pixels"

sleep 1
xdotool keydown Escape
sleep 0.3
xdotool keyup Escape
e2e_wait_exit 15
[ "$E2E_RC" = 0 ] || e2e_fail "demo ended with status $E2E_RC"
rate=$(sed -n 's/.*: \([0-9.]*\) per second/\1/p' "$WORK/out.txt")
[ -n "$rate" ] || e2e_fail "no frame rate reported"
awk -v r="$rate" 'BEGIN { exit !(r >= 45 && r <= 55) }' || e2e_fail "frames at $rate per second, not 50"
# One second of the sound from its first non-silent sample: sign changes
# give the frequency.
[ -s "$WORK/sound.wav" ] || e2e_fail "no audio was written"
flips=$(sox "$WORK/sound.wav" -t dat -c 1 - remix 1 | awk '
  /^;/ { next }
  !on && $2 == 0 { next }
  { on = 1; n++; if (n > 1 && ($2 > 0) != (last > 0)) f++; last = $2; if (n == 44100) exit }
  END { print f + 0 }')
awk -v f="$flips" 'BEGIN { exit !(f >= 870 && f <= 890) }' ||
  e2e_fail "tone at $flips sign changes a second, not about 879"
echo "machine demo: 3 stages match the formula, $rate frames per second, tone $((flips / 2)) Hz"
