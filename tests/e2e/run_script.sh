# run_script.sh -- ./run.sh --help lists the programs and their options and
# an unknown program is refused with status 2, both at once and without
# building anything; with everything built, the build step of ./run.sh says
# nothing.
source "$(dirname "$0")/lib.sh"
BUILD=$2
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
WORK=$(mktemp -d /tmp/e2e.XXXXXX)
trap e2e_cleanup EXIT

export BUILD_DIR="$WORK/build"
"$ROOT/run.sh" --help >"$WORK/help.txt" 2>&1 || e2e_fail "./run.sh --help failed"
for word in topdown sideview sideview_edit --window --fullscreen --scale=N --help; do
  grep -qF -- "$word" "$WORK/help.txt" || e2e_fail "--help does not name $word"
done

start=$(date +%s%N)
"$ROOT/run.sh" nosuch >"$WORK/out.txt" 2>"$WORK/err.txt"
rc=$?
ms=$(( ($(date +%s%N) - start) / 1000000 ))
[ $rc = 2 ] || e2e_fail "./run.sh nosuch: exit status $rc"
grep -q nosuch "$WORK/err.txt" || e2e_fail "./run.sh nosuch does not name what it refused"
[ $ms -lt 1000 ] || e2e_fail "./run.sh nosuch took $ms ms"
[ ! -e "$BUILD_DIR" ] || e2e_fail "./run.sh --help or nosuch made a build folder"

# Nothing changed since the build: the build step prints nothing.
(BUILD_DIR="$BUILD" && source "$ROOT/scripts/setup.sh" && setup_programs) >"$WORK/build.txt" 2>&1 ||
  e2e_fail "the programs' build failed: $(tail -5 "$WORK/build.txt")"
[ ! -s "$WORK/build.txt" ] || e2e_fail "an up-to-date build printed: $(head -5 "$WORK/build.txt")"
echo "run.sh: --help, an unknown program refused at once, a quiet build"
