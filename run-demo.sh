#!/bin/sh
# Installs what is missing, builds both trees, renders the bundled dry sound through the
# reverb (tail included) into out/, and draws the dry and the wet sound's spectrograms one
# above the other, on the same time axis, into out/dry-vs-wet.png. The render goes through
# the real filter DLL in a DirectShow graph: the Windows renderer in graph mode under Wine,
# in the Windows build's own Wine prefix.
set -e
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup-debian.sh"
"$root/scripts/build.sh"

out="$root/out"
dry="$root/resources/demo/demo-dry.wav"
wet="$out/demo-wet.wav"
mkdir -p "$out"
work=$(mktemp -d)
win="$root/build/win"
# Only this prefix's wineserver is stopped, whichever way the script ends.
trap 'WINEPREFIX="$win/wineprefix" wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

# The graph needs no window, but Wine may want a display while it sets the prefix up. The
# prefix's wineserver is stopped while the virtual display still exists, so that no Wine
# process outlives it.
RUVODA_BUILD_DIR="$win" WINEPREFIX="$win/wineprefix" xvfb-run -a sh -c \
  '"$0" "$1" --tail "$2" "$3"; rc=$?; wineserver -k 2>/dev/null; exit $rc' \
  "$root/cmake/wine-run" "$win/bin/ruvoda-render.exe" "$dry" "$wet"
cp "$dry" "$out/demo-dry.wav"

# The dry picture gets the wet sound's length in silence, so both share one time axis.
extra=$(awk -v w="$(soxi -D "$wet")" -v d="$(soxi -D "$dry")" 'BEGIN { printf "%.6f", w - d }')
sox "$dry" -n pad 0 "$extra" spectrogram -X 150 -y 257 -z 100 \
  -t "dry: resources/demo/demo-dry.wav" -o "$work/dry.png"
sox "$wet" -n remix 1 spectrogram -X 150 -y 257 -z 100 \
  -t "wet, left channel: ruvoda-render.exe --tail, the filter DLL in a DirectShow graph" -o "$work/wet.png"
# /usr/bin/convert is ImageMagick's; another convert may come first on PATH.
/usr/bin/convert "$work/dry.png" "$work/wet.png" -append "$out/dry-vs-wet.png"
echo "wrote $out/demo-dry.wav, $wet and $out/dry-vs-wet.png"
