#!/usr/bin/env bash
# Builds the test suite with AddressSanitizer and UndefinedBehaviorSanitizer
# (no recovery from undefined behaviour) and runs every test, then builds it
# with ThreadSanitizer and runs the tests that use threads. Any finding fails.
# Builds go to build-asan/ and build-tsan/; JOBS sets the parallelism.
#   scripts/test-sanitizers.sh [asan|tsan]...   (both when none is named)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh sanitizers
jobs=${JOBS:-$(nproc)}
kinds=("$@")
[ ${#kinds[@]} -eq 0 ] && kinds=(asan tsan)

# The test suites that run threads of their own or through the platform
# layer: kernel objects and the message queue, the log's lock, sound mixing
# and streaming, the mouse thread behind every input manager, loader threads
# (resources, textures, scenes, lights, dialogs, scenarios, locations) and the game's
# whole run, in the test program or as the game program itself. Each entry
# names whole suites; one that names none fails the run.
threaded_suites=(
  Win32Thread Win32Event Win32Handle Win32Window cMessageTest cSendInputTest cDInputMouseTest
  cThread cWin32ApplicationTest Log Random XmlNode XmlDispatcher
  cMouseDeviceTest 'cInputManager[A-Za-z]*' cCursorManagerTest WidgetInputTest EditBoxInputTest
  cDirectXGraphicsObject 'TextureReload|TextureResource[A-Za-z]*' D3D9Resource D3DXTexture 'Resource[A-Za-z]*'
  'DSound[A-Za-z]*' cSoundDevice cSoundManager cSoundRegistry SoundResource GameWindowSound
  EmitterRuntime SceneTest SceneLightTest CameraObjectTest GlobalDialogsTest GameLogoWindowTest
  ScenarioTest cInventoryTest cDialogManagerTest cFrameRateOverlayTest 'cGameApplication(Test)?' 'LocationSwitch[A-Za-z]*'
  cGameMainTest '([A-Za-z]+/)?GameMain[A-Za-z]*' '([A-Za-z]+/)?DemoGameRun'
)
threaded="^($(IFS='|'; echo "${threaded_suites[*]}"))\\."

. scripts/compiler-cache.sh

# build <folder> <sanitizer flags> [cmake arguments]: the test programs only,
# optimised lightly, with line tables for the reports.
build() {
  local folder=$1 sanitize=$2
  shift 2
  local flags="$sanitize -O1 -g1 -fno-omit-frame-pointer"
  cmake -S . -B "$folder" -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=Sanitize -DZV2_BENCHMARKS=OFF \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitize" "$@" >/dev/null
  cmake --build "$folder" -j "$jobs" --target platform_tests engine_tests game_tests tools_tests fuzz_tests playthrough_tests
}

# run <folder> [ctest arguments]: the tests the arguments choose; without
# arguments every test but the play-through's stories, as scripts/test.sh
# runs them (the tests that read the real screen alone after the others).
# The stories drive the sanitized game at a player's pace for minutes each;
# the game's start-ups, front end and demo runs stay in.
run() {
  local folder=$1
  shift
  export SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1
  local passes
  if [ $# -gt 0 ]; then
    passes="ctest --test-dir $folder --output-on-failure -j $jobs $(printf "'%s' " "$@")"
  else
    local screen_tests='^cGraphicsFullScreen\.' story_tests='^(Playthrough|PlaythroughHall)\.'
    passes="ctest --test-dir $folder --output-on-failure -j $jobs -E '$screen_tests|$story_tests' &&
      ctest --test-dir $folder --output-on-failure -R '$screen_tests'"
  fi
  xvfb-run -a -s "-screen 0 1920x1200x24" sh -c "$passes"
}

sanitizers=$PWD/scripts/sanitizers
for kind in "${kinds[@]}"; do
  case $kind in
  asan)
    build build-asan "-fsanitize=address,undefined -fno-sanitize-recover=undefined" \
      -DCMAKE_CROSSCOMPILING_EMULATOR="$sanitizers/keep-driver-loaded.sh"
    ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1 \
    LSAN_OPTIONS=suppressions=$sanitizers/lsan.supp:print_suppressions=0 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      run build-asan
    ;;
  tsan)
    build build-tsan "-fsanitize=thread"
    for suite in "${threaded_suites[@]}"; do
      if ctest --test-dir build-tsan -N -R "^($suite)\\." | grep -q '^Total Tests: 0$'; then
        echo "the threaded suite $suite names no test" >&2
        exit 1
      fi
    done
    TSAN_OPTIONS=suppressions=$sanitizers/tsan.supp:halt_on_error=1:second_deadlock_stack=1 \
      run build-tsan -R "$threaded"
    ;;
  *)
    echo "unknown sanitizer build: $kind (asan or tsan)" >&2
    exit 2
    ;;
  esac
done
