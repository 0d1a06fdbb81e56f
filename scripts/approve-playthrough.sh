#!/usr/bin/env bash
# Runs the play-through headless and takes every screen it sees as the new
# approved picture (tests/playthrough/approved/). Look at them, and at the
# contact sheet, before committing them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
export SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 ZV2_PLAYTHROUGH_APPROVE=1
build/tests/playthrough_tests --gtest_filter='Playthrough.*:PlaythroughHall.*'
echo "Approved pictures: tests/playthrough/approved/; contact sheet: build/tests/playthrough/demo-contact-sheet.png"
