# topdown_start.sh -- topdown starts in a copy of its run folder, shows a
# picture, plays its music, ends on Esc with status 0; without "data.dat" it
# says so and ends with status 1.
source "$(dirname "$0")/lib.sh"
RUN=$1
e2e_init 640x480
e2e_copy_run "$RUN/topdown"

e2e_capture_sound
e2e_start topdown
sleep 2
e2e_shot "$WORK/start.png"
colours=$(e2e_colours "$WORK/start.png")
[ "$colours" -gt 8 ] || e2e_fail "the screen is nearly blank ($colours colours)"

# Esc leaves the game or moves the menu cursor to Quit; the next one ends.
for i in 1 2 3; do
  kill -0 $E2E_PID 2>/dev/null || break
  e2e_key Escape
  sleep 0.5
done
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC after Esc"
[ -f "$WORK/report.txt" ] || e2e_fail "no report.txt"
grep -q "Initialising joystick... done." "$WORK/out.txt" || e2e_fail "no joystick line on the console"

# The tune was playing: the captured sound is not silence.
[ -s "$WORK/sound.wav" ] || e2e_fail "no sound was written"
rms=$(sox "$WORK/sound.wav" -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}')
awk -v r="$rms" 'BEGIN { exit !(r > 0.01) }' || e2e_fail "the music is silent (RMS $rms)"

# Without its datafile the program names the problem and fails.
rm "$WORK/data.dat"
(cd "$WORK" && ./topdown >out2.txt 2>err2.txt)
rc=$?
[ $rc = 1 ] || e2e_fail "exit status $rc without data.dat"
grep -q 'data.dat' "$WORK/err2.txt" || e2e_fail "no message about data.dat on stderr"
grep -q 'data.dat' "$WORK/report.txt" || e2e_fail "no message about data.dat in report.txt"
echo "topdown start: ok"
