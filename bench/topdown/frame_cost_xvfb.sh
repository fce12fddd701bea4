# Measures the time to draw one game frame in a real window under a private
# Xvfb, for one and for two players.
#   bash bench/topdown/frame_cost_xvfb.sh BUILD_DIR
BUILD=${1:?build folder}
source "$(dirname "$0")/../../tests/e2e/lib.sh"
e2e_init 640x480
"$BUILD/bench/topdown_frame_cost" 2>/dev/null
