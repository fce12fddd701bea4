# topdown_damaged_files.sh -- topdown with damaged files, as a player meets
# them: "data.dat" cut short or with a changed header byte ends the program
# with "data.dat is damaged: ..." and status 1, never a signal; a bad line in
# "times.txt" costs no good record (the menu shows them, the log names the
# line); a course cut short or missing is named in an alert and the menu
# comes back; without m01.map, Play no longer ends the program.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/topdown_lib.sh"
RUN=$1
e2e_init 640x480
e2e_copy_run "$RUN/topdown" data.dat
cp "$WORK/data.dat" "$WORK/data.good"

# --- data.dat cut short, and its object count changed
size=$(stat -c %s "$WORK/data.good")
damaged_start() {  # NAME: starts topdown on the damaged data.dat, checks the outcome
  (cd "$WORK" && timeout 60 ./topdown >out.txt 2>err.txt)
  local rc=$?
  [ $rc = 1 ] || e2e_fail "$1: exit status $rc (a signal is over 128)"
  grep -q '^data.dat is damaged: ' "$WORK/err.txt" || e2e_fail "$1: no message on stderr"
  grep -q '^data.dat is damaged: ' "$WORK/report.txt" || e2e_fail "$1: no message in report.txt"
  echo "$1: $(grep '^data.dat is damaged' "$WORK/err.txt")"
}
for n in 16 1000 100000 400000 $((size - 1)); do
  head -c "$n" "$WORK/data.good" >"$WORK/data.dat"
  damaged_start "cut to $n bytes"
done
cp "$WORK/data.good" "$WORK/data.dat"
printf '\x7f' | dd of="$WORK/data.dat" bs=1 seek=8 conv=notrunc status=none
damaged_start "object count changed"
cp "$WORK/data.good" "$WORK/data.dat"

# --- times.txt with a bad line between two good records
printf '1 1 2000 0:40.0\n3 1 garbage\n2 1 3000 1:00.0\n' >"$WORK/times.txt"
# The width of the part of the screen where two pictures differ.
diff_width() {
  python3 - "$1" "$2" <<'PY'
import subprocess, sys
def pixels(f):
    return subprocess.run(['convert', f, '-depth', '8', 'rgb:-'], capture_output=True).stdout
a, b = pixels(sys.argv[1]), pixels(sys.argv[2])
xs = [(i // 3) % 640 for i in range(0, min(len(a), len(b)), 3) if a[i:i + 3] != b[i:i + 3]]
print(max(xs) - min(xs) + 1 if xs else 0)
PY
}
e2e_start topdown
e2e_shot_until menu topdown_menu_shown
e2e_key Down Down                        # on "Course number": 1
e2e_shot "$WORK/course1.png"
e2e_key Return Up Return                 # course 2
e2e_shot "$WORK/course2.png"
e2e_key Return Up Up Return              # course 4: no record
e2e_shot "$WORK/course4.png"
# Beside the number, a record is as wide as "best 0:40.0"; the numbers
# alone differ in a few pixels.
w1=$(diff_width "$WORK/course1.png" "$WORK/course4.png")
w2=$(diff_width "$WORK/course2.png" "$WORK/course4.png")
[ "$w1" -gt 40 ] || e2e_fail "course 1's record is not shown (a difference $w1 pixels wide)"
[ "$w2" -gt 40 ] || e2e_fail "course 2's record is not shown (a difference $w2 pixels wide)"
echo "records shown beside courses 1 and 2 ($w1 and $w2 pixels wide)"

# --- course 5 cut short: Play shows an alert, Enter brings the menu back
head -c 100 "$RUN/topdown/m05.map" >"$WORK/m05.map"
e2e_key Return Up Return Up Up          # course 5, the cursor on "Play"
e2e_shot "$WORK/menu5.png"
e2e_key Return
sleep 0.5
e2e_shot "$WORK/alert.png"
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the program ended on Play"
e2e_same "$WORK/menu5.png" "$WORK/alert.png" && e2e_fail "no alert over the menu"
e2e_key Return
sleep 0.3
e2e_shot "$WORK/back.png"
e2e_same "$WORK/menu5.png" "$WORK/back.png" || e2e_fail "the menu did not come back after the alert"
e2e_key Escape Escape
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC after Esc"
grep -q '"times.txt" line 2 is not a record' "$WORK/report.txt" || e2e_fail "the bad line is not in the log"
grep -q "Course 5 can't be played: m05.map is cut short" "$WORK/report.txt" ||
  e2e_fail "the log does not say why course 5 was not played"

# --- no m01.map: Play says so, and the program goes on
rm -f "$WORK"/m0?.map
e2e_start topdown
e2e_shot_until nocourse topdown_menu_shown
e2e_key Return
sleep 0.5
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "Play without m01.map ended the program"
e2e_shot "$WORK/alert1.png"
e2e_same "$WORK/nocourse.png" "$WORK/alert1.png" && e2e_fail "no alert without m01.map"
e2e_key Return Escape Escape
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC after Esc"
grep -q "Course 1 can't be played: m01.map can't be opened" "$WORK/report.txt" ||
  e2e_fail "the log does not say why course 1 was not played"
echo "topdown damaged files: ok"
