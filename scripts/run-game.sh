#!/usr/bin/env bash
# Installs what is missing, builds, (re)writes the demo content into demo/
# when it is missing or older than the generator, and starts the game there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
generator=build/zv2_content
if [ ! -e demo/startup.txt ] || [ "$generator" -nt demo/startup.txt ]; then
  "$generator" demo
fi
cd demo
exec ../build/zv2 "$@"
