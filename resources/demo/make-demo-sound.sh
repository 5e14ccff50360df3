#!/bin/sh
# Synthesises the dry demo sound with sox: two hand claps, a plucked C major chord, two
# snare-like hits and a last clap, each followed by enough silence for a reverb tail to
# show. Writes demo-dry.wav (44.1 kHz, mono, 16-bit) beside this script.
set -e
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fmt="-V1 -R -r 44100 -b 16 -c 1"

# A clap: a burst of band-limited noise with a very fast decay.
sox $fmt -n "$work/clap.wav" synth 0.15 pinknoise gain -12 sinc 700-3500 fade h 0.001 0.15 0.14 gain 6
# A plucked chord: four strings mixed down to one channel.
sox -V1 -R -r 44100 -b 16 -n "$work/chord4.wav" synth 1.6 pluck C3 pluck E3 pluck G3 pluck C4 \
  fade h 0 1.6 0.6
sox -V1 "$work/chord4.wav" -c 1 "$work/chord.wav" remix 1-4 gain -n -4
# A snare-like hit: a short tone thump under a longer noise rattle.
sox $fmt -n "$work/thump.wav" synth 0.12 sine 190 fade h 0 0.12 0.11 gain -6
sox $fmt -n "$work/rattle.wav" synth 0.22 whitenoise gain -12 sinc 1500-9000 fade h 0.001 0.22 0.2 gain 2
sox -m -v 1 "$work/thump.wav" -v 1 "$work/rattle.wav" "$work/snare.wav"

# Place each sound at its start time (seconds) and mix them over 5.5 s.
set -- clap:0.0 clap:0.45 chord:1.1 snare:3.0 snare:3.35 clap:4.3
inputs=""
i=0
for item in "$@"; do
  i=$((i + 1))
  sox -V1 "$work/${item%%:*}.wav" "$work/at$i.wav" pad "${item#*:}" 5.5 trim 0 5.5
  inputs="$inputs $work/at$i.wav"
done
sox -V1 -m -v 1 $inputs "$here/demo-dry.wav" gain -n -3
echo "wrote $here/demo-dry.wav"
