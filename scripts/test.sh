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
xvfb-run -a -s "-screen 0 1920x1200x24" ctest --test-dir build --output-on-failure -j "$jobs"
