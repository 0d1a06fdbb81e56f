#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless: a virtual
# X display for the window and OpenGL, SDL's dummy driver for sound.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
export SDL_AUDIODRIVER=dummy
export LIBGL_ALWAYS_SOFTWARE=1
jobs=${JOBS:-$(nproc)}
# Tests that read the real screen run alone after the others: a window of a
# test running beside them would cover what they read.
screen_tests='^cGraphicsFullScreen\.'
xvfb-run -a -s "-screen 0 1920x1200x24" sh -c "
  ctest --test-dir build --output-on-failure -j $jobs -E '$screen_tests' &&
  ctest --test-dir build --output-on-failure -R '$screen_tests'"
