#!/bin/sh
# The engine's long run: an hour of generated 96 kHz stereo audio (silence stretches,
# full-scale bursts, DC, NaN and infinity) with random parameter automation every block,
# niced so that other work goes first. Prints the time per frame and resident memory every
# five minutes of audio and fails when the output leaves its bounds, the time per frame
# grows or memory grows. Usage: scripts/soak.sh [seconds of audio] [max slowdown] [seed]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/native" --target engine_soak
exec nice -n 15 "$root/build/native/bin/engine_soak" "$@"
