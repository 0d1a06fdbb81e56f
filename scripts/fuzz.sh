#!/usr/bin/env bash
# Builds every fuzz target in tests/fuzz/ with clang, libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer into build-fuzz/, and runs
# each for FUZZ_SECONDS (20) seconds from the seeds its writers make, JOBS
# targets at a time. A finding fails the run; its input is kept in
# build-fuzz/findings/<target>/ and belongs in tests/fuzz/regressions/<target>/
# once mended.
#   scripts/fuzz.sh [target]...   (every target when none is named)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh fuzz
jobs=${JOBS:-$(nproc)}
seconds=${FUZZ_SECONDS:-20}

. scripts/compiler-cache.sh
# clang 14 declares the sized operator delete (C++14) only on request.
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -fsized-deallocation"
cmake -S . -B build-fuzz -G Ninja "${launcher[@]}" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DZV2_TESTS=OFF -DZV2_FUZZ=ON \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-fuzz -j "$jobs" --target fuzz_targets

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in tests/fuzz/*.cpp; do
    targets+=("$(basename "$source" .cpp)")
  done
fi

# Third-party start-up leaks are not findings.
export LSAN_OPTIONS=suppressions=$PWD/scripts/sanitizers/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# fuzz <target>: one run from the target's corpus; its log and status go to
# build-fuzz/fuzz_<target>.log and .status.
fuzz() {
  local target=$1 corpus=build-fuzz/corpus/$1 findings=build-fuzz/findings/$1
  mkdir -p "$corpus" "$findings"
  local status=0
  build-fuzz/tests/fuzz/fuzz_"$target" "$corpus" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -close_fd_mask=3 -print_final_stats=1 -artifact_prefix="$findings/" \
    >"build-fuzz/fuzz_$target.log" 2>&1 || status=$?
  echo "$status" >"build-fuzz/fuzz_$target.status"
}

# The targets run JOBS at a time.
echo "== fuzzing ${#targets[@]} targets for $seconds s each, $jobs at a time"
running=0
for target in "${targets[@]}"; do
  if [ "$running" -ge "$jobs" ]; then
    wait -n || true
    running=$((running - 1))
  fi
  fuzz "$target" &
  running=$((running + 1))
done
wait

failed=()
for target in "${targets[@]}"; do
  if [ "$(cat "build-fuzz/fuzz_$target.status")" != 0 ]; then
    failed+=("$target")
    echo "== $target found a fault"
    tail -n 60 "build-fuzz/fuzz_$target.log"
  else
    echo "== $target: $(grep -hE "^stat::number_of_executed_units" "build-fuzz/fuzz_$target.log" || true)"
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (inputs in build-fuzz/findings/)" >&2
  exit 1
fi
