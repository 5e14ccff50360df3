#!/bin/sh
# Stops a long render half-way with a termination request and checks that neither the
# output nor its temporary file is left behind.
# usage: interrupted-render.sh RENDERER WAV_TOOL WORK_FOLDER
render=$1
tool=$2
dir=$3
rm -rf "$dir"
mkdir -p "$dir"
"$tool" make empty-data "$dir/in.wav" || exit 1
# A 60-second tail rendered one frame per call takes long enough to be caught running.
"$render" --tail --block 1 --set DecayTime=200 --set BassMultiply=30 \
  "$dir/in.wav" "$dir/out.wav" 2>"$dir/stderr.txt" &
pid=$!
i=0
while [ ! -f "$dir/out.wav.tmp" ] && [ $i -lt 200 ]; do
  sleep 0.05
  i=$((i + 1))
done
if [ ! -f "$dir/out.wav.tmp" ]; then
  kill "$pid" 2>/dev/null
  echo "the render never started writing"
  exit 1
fi
kill -TERM "$pid"
wait "$pid"
rc=$?
if [ "$rc" -eq 0 ]; then
  echo "the render finished before it could be interrupted"
  exit 1
fi
left=$(ls "$dir" | grep -v -e '^in\.wav$' -e '^stderr\.txt$')
if [ -n "$left" ]; then
  echo "left behind after the interruption: $left"
  exit 1
fi
echo "interrupted (status $rc), nothing left behind"
