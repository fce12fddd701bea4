# cpu_lib.sh -- what the CPU benchmarks (bench/*/cpu_xvfb.sh) share: the
# share of one core the program under test (lib.sh's E2E_PID) takes, and
# the player's hands kept busy while it is measured. Source it after
# tests/e2e/lib.sh, with SECONDS_EACH set; `over` becomes 1 once a case
# passes its limit.
over=0
CPU_HZ=$(getconf CLK_TCK)

# cpu_ticks VARIABLE: the processor ticks (user + system) of the program so
# far, into VARIABLE: fields 14 and 15 of its stat (its name in field 2 has
# no blanks here). Fails the run if the program has ended.
cpu_ticks() {
  kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the program ended during the measure"
  printf -v "$1" %s "$(awk '{ print $14 + $15 }' "/proc/$E2E_PID/stat")"
}

# measure LABEL [LIMIT]: prints the share of one core the program took over
# SECONDS_EACH seconds: processor ticks (user + system, every thread) from
# /proc/PID/stat against the wall clock. A LIMIT in percent that it passes
# sets `over`.
measure() {
  local label=$1 limit=${2:-0} t0 t1 w0 w1
  cpu_ticks t0
  w0=$(date +%s.%N)
  sleep "$SECONDS_EACH"
  cpu_ticks t1
  w1=$(date +%s.%N)
  awk -v l="$label" -v lim="$limit" -v dt=$((t1 - t0)) -v hz="$CPU_HZ" -v w0="$w0" -v w1="$w1" \
    'BEGIN { p = 100 * dt / hz / (w1 - w0); over = lim > 0 && p > lim
             printf "  %-34s %5.1f%% of a core", l, p
             if (lim > 0) printf " (limit %d%%)%s", lim, over ? "  OVER" : ""
             printf "\n"; exit over }' || over=1
}

# measure_while LABEL LIMIT COMMAND [ARGS...]: measure, with COMMAND run
# over and over in the background for the whole of it (LIMIT 0: none).
measure_while() {
  local label=$1 limit=$2
  shift 2
  ( end=$(( $(date +%s) + SECONDS_EACH + 1 ))
    while [ "$(date +%s)" -lt "$end" ]; do "$@"; done ) &
  local busy=$!
  sleep 0.5
  measure "$label" "$limit"
  wait "$busy"
}

# hold_in_turns SECONDS KEY...: each key held down SECONDS in turn.
hold_in_turns() {
  local held=$1 k
  shift
  for k in "$@"; do xdotool keydown "$k"; sleep "$held"; xdotool keyup "$k"; done
}

# sweep_pointer: the pointer across the window and back along row 600.
sweep_pointer() {
  local x
  for x in $(seq 200 40 1080) $(seq 1080 -40 200); do xdotool mousemove "$x" 600; sleep 0.01; done
}
