#!/bin/sh
# Stops a long render half-way with a termination request and checks that neither the
# output nor its temporary file is left behind.
# usage: interrupted-render.sh RENDERER WAV_TOOL WORK_FOLDER
dir=$3
rm -rf "$dir"
mkdir -p "$dir"
"$2" make empty-data "$dir/in.wav" || exit 1
# A 60-second tail rendered one frame per call takes long enough to be caught running.
"$1" --tail --block 1 --set DecayTime=200 --set BassMultiply=30 "$dir/in.wav" "$dir/out.wav" 2>/dev/null &
pid=$!
i=0
while [ ! -f "$dir/out.wav.tmp" ] && [ $i -lt 200 ]; do
  sleep 0.05
  i=$((i + 1))
done
kill -TERM "$pid"
wait "$pid"
rc=$?
left=$(ls "$dir" | grep -v '^in\.wav$')
if [ $i -eq 200 ] || [ "$rc" -eq 0 ] || [ -n "$left" ]; then
  echo "render status $rc after $i polls (200: it never started writing; 0: it finished first), left: $left"
  exit 1
fi
echo "interrupted (status $rc), nothing left behind"
