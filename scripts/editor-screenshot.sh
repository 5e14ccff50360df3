#!/bin/sh
# Takes the picture of the editor: ruvoda-host plays the demo sound in a loop through the
# Windows build's real filter DLL, under a private X server and in the build tree's own
# Wine prefix, and after a few seconds of playing writes a picture of the property frame,
# which becomes a PNG:
#   scripts/editor-screenshot.sh [windows build dir] [output png]
# The PNG is written under a temporary name and renamed, so a failed run leaves the old one.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win}
output=${2:-$root/docs/images/editor.png}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/capture.sh" <<'INNER'
#!/bin/sh
# Only the program's own lines; Wine's audio drivers complain about the missing sound card.
sound=$1 picture=$2
{ "$WINE_RUN" "$RUVODA_HOST" --screenshot "$picture" --after 3 "$sound" 2>&1; echo $? >"$picture.rc"; } |
  grep '^ruvoda-host' | tee "$picture.log" >&2
exit "$(cat "$picture.rc")"
INNER
"$root/scripts/host-session.sh" "$build" sh "$work/capture.sh" "$root/resources/demo/demo-dry.wav" \
  "$work/editor.bmp" || { echo "ruvoda-host wrote no picture" >&2; exit 1; }

mkdir -p "$(dirname "$output")"
# /usr/bin/convert is ImageMagick's; another convert may come first on PATH.
/usr/bin/convert "$work/editor.bmp" "$work/editor.png"
mv "$work/editor.png" "$output.tmp" && mv "$output.tmp" "$output"
echo "wrote $output"
# The page alone, for pictures that mark its parts (the help's overview): ruvoda-host says
# where the page lies in the frame ("page 428 x 451 at X, Y").
page=${output%.png}-page.png
place=$(sed -n 's/.*page \([0-9]*\) x \([0-9]*\) at \([0-9]*\), \([0-9]*\).*/\1x\2+\3+\4/p' "$work/editor.bmp.log")
[ -n "$place" ] || { echo "ruvoda-host did not say where the page lies" >&2; exit 1; }
/usr/bin/convert "$work/editor.bmp" -crop "$place" +repage "$page.tmp.png"
mv "$page.tmp.png" "$page"
echo "wrote $page"
