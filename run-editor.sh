#!/bin/sh
# Optional: opens the editor the way a host shows it. Installs what is missing and builds
# (nothing when up to date), then ruvoda-host plays the bundled demo sound in a loop through
# the filter DLL under Wine, in the Windows build's own prefix, and shows the filter's
# property pages on the current display; closing the frame ends it. Without a display it
# takes a picture of the frame under a virtual display instead: out/editor.png.
set -e
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup-debian.sh"
"$root/scripts/build.sh"

win="$root/build/win"
if [ -z "$DISPLAY" ]; then
  exec "$root/scripts/editor-screenshot.sh" "$win" "$root/out/editor.png"
fi
# Only this prefix's wineserver is stopped, whichever way the frame is closed.
trap 'WINEPREFIX="$win/wineprefix" wineserver -k 2>/dev/null || true' EXIT
RUVODA_BUILD_DIR="$win" WINEPREFIX="$win/wineprefix" \
  "$root/cmake/wine-run" "$win/bin/ruvoda-host.exe" "$root/resources/demo/demo-dry.wav"
