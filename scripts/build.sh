#!/usr/bin/env bash
# Configures and builds everything into build/, through ccache when it is
# installed. JOBS sets the parallelism.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/compiler-cache.sh
cmake -S . -B build -G Ninja "${launcher[@]}"
cmake --build build ${JOBS:+-j "$JOBS"}
