#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game on the demo content.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
mkdir -p demo
cd demo
exec ../build/zv2 "$@"
