# setup.sh -- sourced by run.sh and test.sh: installs the Debian packages
# that are missing, then configures and builds everything into build/.
#   setup_packages PKG...   installs what dpkg does not list as installed
#   setup_build             cmake configure (once) and build
#   setup_sanitizer_build   the same for the sanitizer tree, build-asan/

set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${BUILD_DIR:-$ROOT/build}
# Everything again with AddressSanitizer and UndefinedBehaviorSanitizer, and
# the fuzz targets with libFuzzer (clang).
SANITIZER_BUILD=${SANITIZER_BUILD_DIR:-$ROOT/build-asan}

# Packages to build and run the programs (freepats: instruments for music).
RUN_PACKAGES="g++ make cmake pkg-config liballegro4-dev freepats"
# And to run the tests.
# (clang, its runtime libraries and llvm's symbolizer: the sanitizer build.)
TEST_PACKAGES="python3 googletest libgtest-dev libbenchmark-dev xvfb xdotool imagemagick x11-apps sox libx11-dev
  clang libclang-rt-14-dev llvm"

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

setup_sanitizer_build() {
  if [ ! -f "$SANITIZER_BUILD/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$SANITIZER_BUILD" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSANITIZE=ON
  fi
  cmake --build "$SANITIZER_BUILD" -j"$(nproc)"
}
