#!/usr/bin/env bash
# Runs each test program whole, once, in one process (as a developer runs
# it), after scripts/test.sh has built it and run every test on its own:
# no test may depend on running alone. The programs run one after the
# other, each on a virtual X display of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
export SDL_AUDIODRIVER=dummy
export LIBGL_ALWAYS_SOFTWARE=1
for program in platform_tests engine_tests game_tests tools_tests fuzz_tests; do
  echo "== $program, whole"
  xvfb-run -a -s "-screen 0 1920x1200x24" "build/tests/$program" --gtest_brief=1
done
