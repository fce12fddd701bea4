# Measures the two-player frame rate in a real window under a private Xvfb.
#   bash bench/topdown/fps_xvfb.sh BUILD_DIR [SECONDS]
BUILD=${1:?build folder}
for n in $(seq 90 199); do
  [ -e /tmp/.X$n-lock ] && continue
  Xvfb :$n -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
  XPID=$!
  sleep 1
  kill -0 $XPID 2>/dev/null && break
done
DISPLAY=:$n "$BUILD/bench/topdown/topdown_fps" "${2:-5}" 2>/dev/null
rc=$?
kill $XPID
exit $rc
