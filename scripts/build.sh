#!/usr/bin/env bash
# Configures and builds everything into build/, through ccache when it is
# installed. JOBS sets the parallelism.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build -G Ninja "${launcher[@]}"
cmake --build build ${JOBS:+-j "$JOBS"}
