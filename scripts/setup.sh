# setup.sh -- sourced by run.sh and test.sh: installs the Debian packages
# that are missing, then configures and builds into build/.
#   setup_packages PKG...   installs what dpkg does not list as installed
#   setup_programs          configure (once) and build the programs and their
#                           data only, quietly (run.sh)
#   setup_build             configure and build everything (test.sh)
#   setup_sanitizer_build   the same for the sanitizer tree, build-asan/

set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${BUILD_DIR:-$ROOT/build}
# Everything again with AddressSanitizer and UndefinedBehaviorSanitizer, and
# the fuzz targets with libFuzzer (clang).
SANITIZER_BUILD=${SANITIZER_BUILD_DIR:-$ROOT/build-asan}

# Packages to build and run the programs (freepats: instruments for music).
RUN_PACKAGES="g++ make cmake pkg-config liballegro4-dev libx11-dev libxrender-dev freepats"
# And to run the tests.
# (desktop-file-utils: the check of the installed desktop entries; clang,
# its runtime libraries and llvm's symbolizer: the sanitizer build.)
TEST_PACKAGES="python3 googletest libgtest-dev libbenchmark-dev xvfb xdotool imagemagick x11-apps sox libx11-dev
  desktop-file-utils clang libclang-rt-14-dev llvm"

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

# setup_programs
# Says nothing when nothing had to be done. The build's output is shown when
# the build fails, and when it holds warnings (a run folder's file kept
# because it was changed there, say): then without its progress lines.
setup_programs() {
  local log
  log=$(mktemp)
  if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    echo "Building topdown, sideview and sideview_edit into $BUILD (the first time takes a minute)..."
    if ! cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$log" 2>&1; then
      cat "$log" >&2
      rm -f "$log"
      echo "run.sh: configuring the build failed" >&2
      exit 1
    fi
  fi
  if ! cmake --build "$BUILD" --target programs -j"$(nproc)" >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    echo "run.sh: the build failed" >&2
    exit 1
  fi
  if grep -qi "warning" "$log"; then
    grep -v -E '^\[ *[0-9]+%\]|^\[[0-9]+/[0-9]+\]|^g?make(\[[0-9]+\])?: (Entering|Leaving)' "$log" >&2
  fi
  rm -f "$log"
}

# Configures every time: a package installed since (GoogleTest) is found.
setup_build() {
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$BUILD" -j"$(nproc)"
}

setup_sanitizer_build() {
  if [ ! -f "$SANITIZER_BUILD/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$SANITIZER_BUILD" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSANITIZE=ON
  fi
  cmake --build "$SANITIZER_BUILD" -j"$(nproc)"
}
