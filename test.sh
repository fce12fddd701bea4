#!/usr/bin/env bash
# test.sh -- installs what is missing, builds, and runs every test: unit
# tests without a display, end-to-end tests, each under its own Xvfb, the
# install and the atomic-save tests; then, in the sanitizer tree
# (build-asan/), the unit tests again, the fuzz targets and the monkey tests
# with every memory error and undefined behaviour fatal. Arguments go to
# both ctest runs (-R NAME, -L LABEL ...).
source "$(dirname "${BASH_SOURCE[0]}")/scripts/setup.sh"
setup_packages $RUN_PACKAGES $TEST_PACKAGES
setup_build
setup_sanitizer_build
status=0
# The monkey tests run on the sanitized programs only, below, where they
# find more. One test more than cores: the end-to-end tests spend most of
# their time waiting for the programs they drive.
(cd "$BUILD" && ctest --output-on-failure -j"$(( $(nproc) + 1 ))" -LE '^monkey$' "$@") || status=1
# The end-to-end, install and atomic-save tests check what the programs
# show and write; they run once, above.
(cd "$SANITIZER_BUILD" && ctest --output-on-failure -j"$(nproc)" -LE '^(e2e|install|kill)$' "$@") ||
  status=1
exit $status
