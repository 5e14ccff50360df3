#!/bin/sh
# The filter's long cycle run under Wine on a private X server, in the Windows build tree's
# own prefix: a graph through the DLL run, seeked, paused, restarted and stopped while
# another thread puts parameters, then the editor page opened and closed on a streaming
# filter, each step under a watchdog; handles, GDI and USER objects and private memory
# must stay flat. Usage: scripts/cycles.sh [graph cycles] [page cycles]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/win
cmake --build "$build" --target resource_cycles
wave="Z:$(printf '%s' "$root/resources/demo/demo-dry.wav" | tr / '\\')"
exec nice -n 15 xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  root=$1 build=$2
  shift 2
  "$root/scripts/wine-server.sh" "$build" || exit 1
  RUVODA_BUILD_DIR="$build" "$root/cmake/wine-run" "$build/bin/resource_cycles.exe" "$@"; rc=$?
  WINEPREFIX="$build/wineprefix" wineserver -k 2>/dev/null
  exit $rc' sh "$root" "$build" "$wave" "$@"
