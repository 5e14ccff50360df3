#!/bin/sh
# Takes the picture of the editor: ruvoda-host plays the demo sound in a loop through the
# Windows build's real filter DLL, under a private X server and in the build tree's own
# Wine prefix, and after a few seconds of playing writes a picture of the property frame,
# which becomes a PNG:
#   scripts/editor-screenshot.sh [windows build dir] [output png]
# The PNG is written under a temporary name and renamed, so a failed run leaves the old one.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)
output=${2:-$root/docs/images/editor.png}
host=$build/bin/ruvoda-host.exe
for file in "$host" "$build/bin/qvRuvodaR3.dll"; do
  [ -f "$file" ] || { echo "no $file: build the Windows tree first (scripts/build.sh)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/capture.sh" <<'INNER'
#!/bin/sh
# Inside the X server. With no window manager nobody draws the frame's caption and border;
# Wine draws them itself when told so, for ruvoda-host.exe only and only for this run. The
# prefix's wineserver stops before the X server goes.
wine_run=$1 host=$2 sound=$3 picture=$4
key='HKCU\Software\Wine\AppDefaults\ruvoda-host.exe'
"$wine_run" reg add "$key\X11 Driver" /v Decorated /d N /f >/dev/null 2>&1
# Only the program's own lines; Wine's audio drivers complain about the missing sound card.
{ "$wine_run" "$host" --screenshot "$picture" --after 3 "$sound" 2>&1; echo $? >"$picture.rc"; } |
  grep '^ruvoda-host' >&2
rc=$(cat "$picture.rc")
"$wine_run" reg delete "$key" /f >/dev/null 2>&1
wineserver -k 2>/dev/null
exit $rc
INNER
RUVODA_BUILD_DIR=$build WINEPREFIX=$build/wineprefix xvfb-run -a -s "-screen 0 1280x1024x24" \
  sh "$work/capture.sh" "$root/cmake/wine-run" "$host" "$root/resources/demo/demo-dry.wav" "$work/editor.bmp" ||
  { echo "ruvoda-host wrote no picture" >&2; exit 1; }

mkdir -p "$(dirname "$output")"
# /usr/bin/convert is ImageMagick's; another convert may come first on PATH.
/usr/bin/convert "$work/editor.bmp" "$work/editor.png"
mv "$work/editor.png" "$output.tmp" && mv "$output.tmp" "$output"
echo "wrote $output"
