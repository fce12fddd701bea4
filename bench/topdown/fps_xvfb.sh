# Measures the two-player frame rate in a real window under a private Xvfb.
#   bash bench/topdown/fps_xvfb.sh BUILD_DIR [SECONDS]
BUILD=${1:?build folder}
source "$(dirname "$0")/../../tests/e2e/lib.sh"
e2e_init 640x480
"$BUILD/bench/topdown_fps" "${2:-5}" 2>/dev/null
