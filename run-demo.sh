#!/bin/sh
# Installs what is missing, builds both trees, renders the bundled dry sound through the
# reverb (tail included) into out/, and draws the dry and the wet sound's spectrograms one
# above the other, on the same time axis, into out/dry-vs-wet.png.
set -e
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup-debian.sh"
"$root/scripts/build.sh"

out="$root/out"
dry="$root/resources/demo/demo-dry.wav"
wet="$out/demo-wet.wav"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$root/build/native/bin/ruvoda-render" --tail "$dry" "$wet"
cp "$dry" "$out/demo-dry.wav"

# The dry picture gets the wet sound's length in silence, so both share one time axis.
extra=$(awk -v w="$(soxi -D "$wet")" -v d="$(soxi -D "$dry")" 'BEGIN { printf "%.6f", w - d }')
sox "$dry" -n pad 0 "$extra" spectrogram -X 150 -y 257 -z 100 \
  -t "dry: resources/demo/demo-dry.wav" -o "$work/dry.png"
sox "$wet" -n remix 1 spectrogram -X 150 -y 257 -z 100 \
  -t "wet, left channel: ruvoda-render --tail (factory setting)" -o "$work/wet.png"
# /usr/bin/convert is ImageMagick's; another convert may come first on PATH.
/usr/bin/convert "$work/dry.png" "$work/wet.png" -append "$out/dry-vs-wet.png"
echo "wrote $out/demo-dry.wav, $wet and $out/dry-vs-wet.png"
