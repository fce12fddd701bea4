# run_folder_file.sh SOURCE_DIR CMAKE -- the protection of run-folder data
# files, as a data rule of any program uses it: a small project whose one
# data file is made from a source, built again after a designer changed the
# run folder's copy and after the source changed.
set -u
SRC=$1 CMAKE=$2
work=$(mktemp -d /tmp/run_folder_file.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$work/project"
cat >"$work/project/CMakeLists.txt" <<CM
cmake_minimum_required(VERSION 3.16)
project(protect NONE)
set(RUN_DIR \${CMAKE_BINARY_DIR}/run)
set(STAGING_DIR \${CMAKE_BINARY_DIR}/staging)
include($SRC/cmake/run_folder_file.cmake)
set(outputs)
add_custom_command(OUTPUT \${STAGING_DIR}/game/tr01.map
  COMMAND \${CMAKE_COMMAND} -E copy \${CMAKE_SOURCE_DIR}/tr01.txt \${STAGING_DIR}/game/tr01.map
  DEPENDS \${CMAKE_SOURCE_DIR}/tr01.txt)
run_folder_file(outputs \${STAGING_DIR}/game/tr01.map \${RUN_DIR}/game/tr01.map)
add_custom_target(game_data ALL DEPENDS \${outputs})
CM
echo one >"$work/project/tr01.txt"
run=$work/build/run/game
build() { "$CMAKE" --build "$work/build" >"$work/out.txt" 2>&1 || fail "the build failed: $(cat "$work/out.txt")"; }
"$CMAKE" -S "$work/project" -B "$work/build" >/dev/null || fail "configure"

build
[ "$(cat "$run/tr01.map")" = one ] || fail "the first build did not put the file in place"
grep -q warning "$work/out.txt" && fail "a warning on a fresh build"

# Unchanged in the run folder: a new source replaces it.
sleep 1.1; echo two >"$work/project/tr01.txt"
build
[ "$(cat "$run/tr01.map")" = two ] || fail "an unchanged file was not updated"
grep -q warning "$work/out.txt" && fail "a warning for an unchanged file"

# Changed by a designer, then the source changes: the designer's file stays,
# the build's own goes beside it, and the build says so, naming both.
sleep 1.1; echo mine >"$run/tr01.map"
sleep 1.1; echo three >"$work/project/tr01.txt"
build
[ "$(cat "$run/tr01.map")" = mine ] || fail "the designer's file was written over"
[ "$(cat "$run/tr01.from-build.map")" = three ] || fail "no tr01.from-build.map beside it"
grep -q "warning: $run/tr01.map .*$run/tr01.from-build.map" "$work/out.txt" ||
  fail "no warning naming both files: $(cat "$work/out.txt")"
build  # and on every build until it is settled
grep -q warning "$work/out.txt" || fail "the warning was not repeated"
[ "$(cat "$run/tr01.map")" = mine ] || fail "the designer's file was written over later"

# Once the source says what the designer's file says, all is in step again.
sleep 1.1; echo mine >"$work/project/tr01.txt"
build
grep -q warning "$work/out.txt" && fail "a warning once the two agree"
[ -e "$run/tr01.from-build.map" ] && fail "tr01.from-build.map left behind"
sleep 1.1; echo four >"$work/project/tr01.txt"
build
[ "$(cat "$run/tr01.map")" = four ] || fail "the file was not taken over again"

# A file the designer removed comes back.
rm "$run/tr01.map"
build
[ "$(cat "$run/tr01.map")" = four ] || fail "a removed file was not made again"
echo "run folder protection: ok"
