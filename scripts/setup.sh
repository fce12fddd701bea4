# setup.sh -- sourced by run.sh and test.sh: installs the Debian packages
# that are missing, then configures and builds everything into build/.
#   setup_packages PKG...   installs what dpkg does not list as installed
#   setup_build             cmake configure (once) and build

set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${BUILD_DIR:-$ROOT/build}

# Packages to build and run the programs (freepats: instruments for music).
RUN_PACKAGES="g++ make cmake pkg-config liballegro4-dev freepats"
# And to run the tests.
TEST_PACKAGES="python3 googletest libgtest-dev libbenchmark-dev xvfb xdotool imagemagick x11-apps sox"

setup_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
}

setup_build() {
  if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  cmake --build "$BUILD" -j"$(nproc)"
}
