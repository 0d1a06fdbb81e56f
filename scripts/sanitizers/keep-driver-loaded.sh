#!/bin/sh
# Runs a test program of the AddressSanitizer build with Mesa's software
# driver preloaded. Mesa unloads the driver before the leak check at exit,
# which would leave the driver's own start-up allocations without a library
# name for the suppressions to match. The sanitizer runtime must stay first.
driver=$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -n 1)
if [ -n "$driver" ]; then
  LD_PRELOAD="$(gcc -print-file-name=libasan.so) $driver${LD_PRELOAD:+ $LD_PRELOAD}"
  export LD_PRELOAD
fi
exec "$@"
