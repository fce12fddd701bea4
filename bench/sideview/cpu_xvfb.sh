# cpu_xvfb.sh -- how much of one core the real sideview takes, with its
# picture enlarged 4 times on a 1280x960 screen (the factor it picks there
# by itself) and at 320x240: the credits, then a level with nobody
# steering, with the player walking right and left, and paused. The level is the
# corridor of tests/e2e/sideview_corridor.txt, where every step scrolls the
# whole view: the most the enlargement has to do. Each over SECONDS under a
# private Xvfb; the processor time is read from /proc/PID/stat (user +
# system, every thread).
#   bash bench/sideview/cpu_xvfb.sh BUILD_DIR [SECONDS]
# Prints one line per case; exit status 1 if a level at scale 4 takes more
# than 10% of a core, or a paused game more than 2%.
BUILD=${1:?build folder}
SECONDS_EACH=${2:-15}
HERE=$(dirname "$0")

# One screen size, in a process of its own (lib.sh keeps one X server).
if [ "${3:-}" = --screen ]; then
  SIZE=$4
  LABEL=$5
  LIMIT=$6
  source "$HERE/../../tests/e2e/lib.sh"
  e2e_init "$SIZE"
  e2e_copy_run "$BUILD/run/sideview"
  "$BUILD/tools/mapc" "$HERE/../../data/sideview/tiles.txt" \
    "$HERE/../../tests/e2e/sideview_corridor.txt" "$WORK/tr01.map" ||
    e2e_fail "can't compile the corridor"
  echo "0 11" >"$WORK/hops.txt"
  e2e_start sideview
  over=0

  # measure CASE [LIMIT]: the share of a core over SECONDS_EACH seconds.
  measure() { e2e_cpu_share "$LABEL, $1" "${2:-0}" || over=1; }

  sleep 1
  measure "credits"
  e2e_hold space 0.3
  sleep 2
  measure "level, standing" "$LIMIT"
  # Walking right and left in turns of two seconds for the whole measure.
  ( end=$(( $(date +%s) + SECONDS_EACH + 1 ))
    while [ "$(date +%s)" -lt "$end" ]; do
      for k in Right Left; do xdotool keydown $k; sleep 2; xdotool keyup $k; done
    done ) &
  walker=$!
  sleep 0.5
  measure "level, walking" "$LIMIT"
  wait "$walker"
  e2e_key p
  sleep 0.5
  measure "level, paused" 2
  e2e_hold Escape 0.3
  e2e_wait_exit 10
  exit $over
fi

echo "sideview CPU use over $SECONDS_EACH s under Xvfb:"
bash "$0" "$BUILD" "$SECONDS_EACH" --screen 1280x960 "scale 4" 10
four=$?
bash "$0" "$BUILD" "$SECONDS_EACH" --screen 320x240 "scale 1" 0
one=$?
[ $four = 0 ] && [ $one = 0 ]
