# start_anywhere.sh -- each program started by its full path from a folder
# that lacks its files runs in its own folder, whose path is longer than any
# fixed buffer would hold: it shows its window, and its report.txt, beside
# the executable, says where it ran. Started where neither folder has its
# files, it names both and ends with status 1. With no sound device the
# programs say so in one line of report.txt and nothing on standard error.
source "$(dirname "$0")/lib.sh"
RUN=$1
e2e_init 640x480
# ALSA with no device at all, whatever the machine has.
: >"$WORK/no-sound.conf"
export ALSA_CONFIG_PATH="$WORK/no-sound.conf"
DEEP="$WORK/$(printf 'folder%.0s' $(seq 1 30))/run"
mkdir -p "$DEEP" "$WORK/elsewhere"
cp -r "$RUN/topdown" "$DEEP/topdown" || e2e_fail "can't copy $RUN/topdown"
cp -r "$RUN/sideview" "$DEEP/sideview" || e2e_fail "can't copy $RUN/sideview"
rm -f "$DEEP"/*/report.txt

# start_from_elsewhere PROGRAM FOLDER: runs FOLDER/PROGRAM from elsewhere
# and waits for its window.
start_from_elsewhere() {
  local prog=$1 dir=$2 i
  (cd "$WORK/elsewhere" && exec "$dir/$prog" >"$WORK/out.txt" 2>"$WORK/err.txt") &
  E2E_PID=$!
  for i in $(seq 1 100); do
    E2E_WID=$(xdotool search --name "^$prog\$" 2>/dev/null | head -1)
    [ -n "$E2E_WID" ] && break
    kill -0 $E2E_PID 2>/dev/null || e2e_fail "$prog ended at start-up: $(cat "$WORK/err.txt")"
    sleep 0.1
  done
  [ -n "$E2E_WID" ] || e2e_fail "$prog showed no window"
  e2e_point_at_window
  sleep 1
}

# ran_in_own_folder PROGRAM FOLDER: after it ended with status 0.
ran_in_own_folder() {
  local prog=$1 dir=$2
  [ "$E2E_RC" = 0 ] || e2e_fail "$prog: exit status $E2E_RC"
  [ -f "$dir/report.txt" ] || e2e_fail "$prog: no report.txt beside the executable"
  grep -qF "Running in \"$dir\", the program's own folder" "$dir/report.txt" ||
    e2e_fail "$prog: report.txt does not say where it ran: $(head -3 "$dir/report.txt")"
  grep -qx "no sound device: playing without sound" "$dir/report.txt" ||
    [ "$prog" = sideview_edit ] || e2e_fail "$prog: no line about the missing sound device"
  [ ! -s "$WORK/err.txt" ] || e2e_fail "$prog: wrote on standard error"
  [ -z "$(ls "$WORK/elsewhere")" ] || e2e_fail "$prog: wrote into the working folder: $(ls "$WORK/elsewhere")"
}

start_from_elsewhere topdown "$DEEP/topdown"
e2e_key Escape Escape
e2e_wait_exit 10
ran_in_own_folder topdown "$DEEP/topdown"

start_from_elsewhere sideview "$DEEP/sideview"
e2e_hold Escape 0.3
e2e_hold Escape 0.3
e2e_wait_exit 10
ran_in_own_folder sideview "$DEEP/sideview"

start_from_elsewhere sideview_edit "$DEEP/sideview"
e2e_key Escape
e2e_wait_exit 10
ran_in_own_folder sideview_edit "$DEEP/sideview"

# The program alone in a folder: neither folder has its files.
mkdir -p "$WORK/alone"
for prog in topdown sideview sideview_edit; do
  src="$DEEP/topdown/$prog"
  [ "$prog" = topdown ] || src="$DEEP/sideview/$prog"
  cp "$src" "$WORK/alone/"
  (cd "$WORK/elsewhere" && "$WORK/alone/$prog" >"$WORK/out.txt" 2>"$WORK/err.txt")
  rc=$?
  [ $rc = 1 ] || e2e_fail "$prog alone: exit status $rc"
  grep -qF "\"$WORK/elsewhere\"" "$WORK/err.txt" && grep -qF "\"$WORK/alone\"" "$WORK/err.txt" ||
    e2e_fail "$prog alone: the message does not name both folders: $(cat "$WORK/err.txt")"
  rm -f "$WORK/elsewhere/report.txt"
done
echo "every program runs in its own folder when started from elsewhere"
