#!/usr/bin/env bash
# test.sh -- installs what is missing, builds, and runs every test: unit
# tests without a display and end-to-end tests, each under its own Xvfb.
source "$(dirname "${BASH_SOURCE[0]}")/scripts/setup.sh"
setup_packages $RUN_PACKAGES $TEST_PACKAGES
setup_build
cd "$BUILD"
ctest --output-on-failure -j"$(nproc)" "$@"
