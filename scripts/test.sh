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
# test running beside them would cover what they read. The play-through's
# stories run last, two at a time: each drives a whole game at a player's
# pace, and a machine crowded by the other tests makes its frames too slow
# for the clicks; a story that fails is run once more, and fails the run
# only when it fails again.
screen_tests='^cGraphicsFullScreen\.'
story_tests='^(Playthrough|PlaythroughHall)\.'
xvfb-run -a -s "-screen 0 1920x1200x24" sh -c "
  ctest --test-dir build --output-on-failure -j $jobs -E '$screen_tests|$story_tests' &&
  ctest --test-dir build --output-on-failure -R '$screen_tests' &&
  ctest --test-dir build --output-on-failure -j 2 --repeat until-pass:2 -R '$story_tests'"
# Each test program also runs whole, all its tests in one process one after
# another, on a display of its own: what a test leaves behind in the process
# or on the display (singletons, registries, the graphics device, windows)
# must not change the tests after it. The play-through and the content
# tests run only under CTest: their stories and checks are slow (minutes
# each in a row), and they start the game or the generator, or a fresh copy
# of the test program, for their work anyway.
for program in engine_tests game_tests platform_tests fuzz_tests; do
  echo "Whole run: $program"
  (cd build/tests && xvfb-run -a -s "-screen 0 1920x1200x24" "./$program" --gtest_brief=1)
done
