#!/bin/sh
# Runs gallery.exe under Wine on a private X server, captures the screen and keeps the face:
#   tools/gallery/screenshot.sh [windows build dir] [output png]
# The picture is written under a temporary name and renamed, so a failed run leaves the old
# one in place.
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)
output=${2:-$root/docs/images/gallery.png}
gallery=$build/bin/gallery.exe
[ -f "$gallery" ] || { echo "no $gallery: build the gallery target first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/capture.sh" <<'INNER'
#!/bin/sh
# Inside the X server: start the gallery, wait until it reports its shown window and has
# had time to paint, capture, let it end.
"$1" "$2" --exit-after 60000 >"$3/gallery.out" 2>/dev/null &
pid=$!
tries=0
until grep -q '^client ' "$3/gallery.out" 2>/dev/null; do
  tries=$((tries + 1))
  [ $tries -gt 120 ] && break
  sleep 0.5
done
sleep 3
/usr/bin/import -window root "$3/screen.png"
kill $pid 2>/dev/null || true
wait $pid 2>/dev/null || true
INNER
RUVODA_BUILD_DIR=$build xvfb-run -a -s "-screen 0 800x600x24" sh "$work/capture.sh" \
  "$root/cmake/wine-run" "$gallery" "$work"

set -- $(grep '^client ' "$work/gallery.out")
[ "$#" -eq 5 ] || { echo "the gallery did not report its window" >&2; exit 1; }
mkdir -p "$(dirname "$output")"
/usr/bin/convert "$work/screen.png" -crop "${4}x${5}+${2}+${3}" +repage "$work/face.png"
mv "$work/face.png" "$output.tmp" && mv "$output.tmp" "$output"
echo "wrote $output (${4}x${5} at ${2},${3})"
