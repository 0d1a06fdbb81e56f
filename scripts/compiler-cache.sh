# Sourced by the build scripts: sets `launcher` to the CMake arguments that
# compile through ccache when it is installed. Paths are taken relative to
# the checkout, so a fresh clone in another folder reuses earlier results.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
  export CCACHE_NOHASHDIR=true
fi
