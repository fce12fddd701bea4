# sideview as a player meets it: the credits fade in in the greys the
# palette formula gives, Space starts level 1 with four hearts and two
# bullets in the status bar, holding Right moves the view, Esc ends the
# game with "Esc" in the log and status 0; all the while the music plays,
# and its first notes come out at the pitches of the period table.
. "$(dirname "$0")/lib.sh"
RUN=$1
HERE=$(cd "$(dirname "$0")" && pwd)
e2e_init 320x240
e2e_copy_run "$RUN/sideview"

fail() { e2e_abort "$@"; }

# Full screen: no visible named window to wait for; the screen tells.
e2e_capture_sound
e2e_start_fullscreen sideview

hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; sleep 0.1; }

# The 16 greys the credits can show: palette entries get codes v * 16,
# shown as the colour of code v * 16 + 10, a grey of luma v * 16 * 219 / 256,
# scaled to 0..63 and then to 0..255 as Allegro's X11 driver does.
greys=$(awk 'BEGIN { for (v = 0; v < 16; v++) { g = int(v * 16 * 219 / 256 * 0.00456621 * 63);
                     printf "%d ", g * 4 + int(g / 16) } }')

# The credits: not black after two seconds, and nothing but those greys.
sleep 2
for try in 1 2 3 4 5 6 7 8; do
  kill -0 $E2E_PID 2>/dev/null || fail "sideview ended during the credits"
  e2e_shot "$WORK/credits.png"
  [ "$(e2e_colours "$WORK/credits.png")" -gt 1 ] && break
  sleep 0.5
done
convert "$WORK/credits.png" -depth 8 -unique-colors txt:- |
  awk -v greys="$greys" 'BEGIN { n = split(greys, g, " "); for (i = 1; i <= n; i++) ok[g[i] "," g[i] "," g[i]] = 1 }
    /^[0-9]/ { c = $2; gsub(/[()]/, "", c); split(c, v, ","); k = v[1] "," v[2] "," v[3];
               if (!(k in ok)) { print "not a credits grey: " k; bad = 1 } count++ }
    END { if (count < 2) { print "a blank screen"; bad = 1 } exit bad }' >&2 ||
  fail "the credits show other colours than the palette's greys"

# Space: level 1. The status bar (lines 220..239) holds four hearts and two
# bullets: slots 0..3 of the hearts differ from the empty fifth, bullet
# slots 0..1 from the empty slots 2..4, which equal each other.
hold space 0.2
sleep 1.5
e2e_shot "$WORK/level.png"
slot() { convert "$WORK/level.png" -crop "$3x12+$1+$2" +repage "$WORK/slot_$1.png"; echo "$WORK/slot_$1.png"; }
empty_heart=$(slot 86 224 14)
for i in 0 1 2 3; do
  e2e_same "$(slot $((30 + 14 * i)) 224 14)" "$empty_heart" && fail "heart $i is missing"
done
empty_bullet=$(slot 154 224 12)
for i in 0 1; do
  e2e_same "$(slot $((130 + 12 * i)) 224 12)" "$empty_bullet" && fail "bullet $i is missing"
done
e2e_same "$(slot 166 224 12)" "$empty_bullet" || fail "a third bullet shows"
[ "$(e2e_colours "$WORK/level.png")" -gt 16 ] || fail "the level looks empty"

# Holding Right (and jumping the first crates: Right Ctrl) walks the
# player on, and the view follows.
convert "$WORK/level.png" -crop 320x220+0+0 +repage "$WORK/view1.png"
xdotool keydown Right
sleep 0.4
hold Control_R 0.2
sleep 1.2
xdotool keyup Right
sleep 0.2
e2e_shot "$WORK/walked.png"
convert "$WORK/walked.png" -crop 320x220+0+0 +repage "$WORK/view2.png"
changed=$(compare -metric AE "$WORK/view1.png" "$WORK/view2.png" null: 2>&1)
[ "${changed%% *}" -gt 20000 ] || fail "the view hardly changed while walking ($changed pixels)"

# Esc ends the game.
hold Escape 0.3
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || fail "exit status $E2E_RC after Esc"
grep -q "Esc" "$WORK/report.txt" || fail "no \"Esc\" in report.txt"

# The music: the opening notes of tr1.mid at the generator's pitches.
[ -s "$WORK/sound.wav" ] || fail "no sound was written"
notes=$(python3 "$HERE/../sideview/music_tune_check.py" --first-periods 5 "$WORK/tr1.mid") ||
  fail "can't read the tune's first notes"
python3 "$HERE/audio_notes.py" "$WORK/sound.wav" $notes >&2 || fail "the music's first notes are out of tune"
echo "sideview: credits in greys, level 1 with 4 hearts and 2 bullets, the view follows, Esc ends, notes $notes in tune"
