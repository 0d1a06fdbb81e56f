#!/usr/bin/env bash
# Installs every Debian package the build, the game and the tests need.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libgl-dev libgl1-mesa-dri
  zlib1g-dev libvorbis-dev libpng-dev libjpeg-dev libsquish-dev libstb-dev
  libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev
  libfreetype-dev fonts-dejavu-core
  libx11-dev libxtst-dev xvfb xauth
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi
