#!/usr/bin/env bash
# Installs every Debian package the build, the game and the tests need.
# Extra sets by name: "sanitizers" (the GCC sanitizer runtimes) and "fuzz"
# (clang with libFuzzer and its sanitizer runtimes).
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config ccache
  libsdl2-dev libgl-dev libgl1-mesa-dri
  zlib1g-dev libvorbis-dev libpng-dev libjpeg-dev libsquish-dev libstb-dev
  libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev
  libfreetype-dev fonts-dejavu-core
  libx11-dev libxtst-dev xvfb xauth
)
for set in "$@"; do
  case $set in
  sanitizers) packages+=(libasan8 libubsan1 liblsan0 libtsan2) ;;
  fuzz) packages+=(clang libclang-rt-14-dev) ;;
  *) echo "unknown package set: $set" >&2; exit 2 ;;
  esac
done
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
