# A player starts course 1 from the main menu, holds Up for a second and
# leaves with Esc: the view follows the walker, the panel shows its speed,
# and Esc goes back to the menu.
RUN=$1
. "$(dirname "$0")/lib.sh"
e2e_init 640x480
e2e_copy_run "$RUN/topdown" data.dat
e2e_start topdown

e2e_shot "$WORK/menu.png"
e2e_key Return          # the cursor starts on "Play": course 1, one player
sleep 1
e2e_shot "$WORK/start.png"
e2e_same "$WORK/menu.png" "$WORK/start.png" && e2e_fail "Return did not start a game"

xdotool keydown Up
sleep 0.7
e2e_shot "$WORK/moving.png"
sleep 0.3
xdotool keyup Up
sleep 0.5
e2e_shot "$WORK/after.png"

# The view has scrolled: rows of the course in the start picture show up in
# the later one shifted to the left by the distance walked.
view_shift() {
  python3 - "$1" "$2" <<'PY'
import subprocess, sys
def row(f, y):
    raw = subprocess.run(['convert', f, '-crop', '640x1+0+%d' % y, '+repage',
                          '-depth', '8', 'rgb:-'], capture_output=True).stdout
    return [raw[i:i + 3] for i in range(0, len(raw), 3)]
best = 0
for y in (200, 250, 300, 350):
    a, b = row(sys.argv[1], y), row(sys.argv[2], y)
    if a == b or len(set(a)) < 4:
        continue
    score = {s: sum(a[x + s] == b[x] for x in range(640 - s)) / (640 - s)
             for s in range(0, 300)}
    s = max(score, key=score.get)
    if score[s] > 0.9:
        best = max(best, s)
print(best)
PY
}
moved=$(view_shift "$WORK/start.png" "$WORK/after.png")
[ "$moved" -gt 10 ] || e2e_fail "the view did not follow the walker (shift $moved)"
echo "view moved by $moved pixels"

# The speed on the panel (bottom-left, 80 x 14 pixels) differs from the
# standing start while Up is held, and comes back once the walker stands.
crop() { convert "$1" -crop 80x14+0+455 +repage "$2"; }
crop "$WORK/start.png" "$WORK/speed0.png"
crop "$WORK/moving.png" "$WORK/speed1.png"
crop "$WORK/after.png" "$WORK/speed2.png"
e2e_same "$WORK/speed0.png" "$WORK/speed1.png" && e2e_fail "the panel shows no speed while walking"
e2e_same "$WORK/speed0.png" "$WORK/speed2.png" || e2e_fail "the panel still shows a speed when standing"

e2e_key Escape
sleep 0.5
e2e_shot "$WORK/back.png"
e2e_same "$WORK/menu.png" "$WORK/back.png" || e2e_fail "Esc did not return to the menu"
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the program ended on Esc in the game"
echo "PASS"
