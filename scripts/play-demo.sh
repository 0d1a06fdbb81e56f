#!/usr/bin/env bash
# Builds, then lets the play-through drive the game on this display so that
# a person can watch the demo play itself. Its screens are still compared
# with the approved pictures (a desktop's window manager may make them
# differ); the contact sheet of the run is written into the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
status=0
ZV2_PLAYTHROUGH_VISIBLE=1 build/tests/playthrough_tests --gtest_filter='Playthrough.*:PlaythroughHall.*' || status=$?
echo "Contact sheet: build/tests/playthrough/demo-contact-sheet.png"
exit $status
