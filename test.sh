#!/usr/bin/env bash
# test.sh -- installs what is missing, builds, and runs every test: unit
# tests without a display and end-to-end tests, each under its own Xvfb;
# then, in the sanitizer tree (build-asan/), the unit tests, the fuzz
# targets and the monkey tests again with every memory error and undefined
# behaviour fatal. Arguments go to both ctest runs (-R NAME, -L LABEL ...).
source "$(dirname "${BASH_SOURCE[0]}")/scripts/setup.sh"
setup_packages $RUN_PACKAGES $TEST_PACKAGES
setup_build
setup_sanitizer_build
status=0
(cd "$BUILD" && ctest --output-on-failure -j"$(nproc)" "$@") || status=1
# The end-to-end tests check what the programs show; they run once, above.
(cd "$SANITIZER_BUILD" && ctest --output-on-failure -j"$(nproc)" -LE '^e2e$' "$@") || status=1
exit $status
