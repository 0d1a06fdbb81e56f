#!/bin/sh
# Runs a test program of the AddressSanitizer build with Mesa's software
# driver preloaded. Mesa unloads the driver before the leak check at exit,
# which would leave the driver's own start-up allocations without a library
# name for the suppressions to match. Only the driver is preloaded, not the
# sanitizer runtime (the test program loads that itself): the programs a test
# starts (a private X server, its keymap compiler) inherit the preload and
# must run as they are. The runtime then comes after the driver in the
# library list, which it is told to accept.
driver=$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -n 1)
if [ -n "$driver" ]; then
  LD_PRELOAD="$driver${LD_PRELOAD:+ $LD_PRELOAD}"
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
  export LD_PRELOAD ASAN_OPTIONS
fi
exec "$@"
