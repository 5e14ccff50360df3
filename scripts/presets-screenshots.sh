#!/bin/sh
# Takes the pictures of the presets: ruvoda-host plays the demo sound through the Windows
# build's real filter DLL, with the factory library beside it, under a private X server and
# in the build tree's own Wine prefix; xdotool clicks the Presets button and walks the menu
# as a user does, and ImageMagick's import takes the screen:
#   scripts/presets-screenshots.sh [windows build dir] [output folder]
# It writes presets-menu.png (the menu with one bank's submenu open) and preset-manager.png
# (the Preset Manager with a bank expanded), by default into docs/images. Each PNG is
# written under a temporary name and renamed, so a failed run leaves the old ones.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win}
output=${2:-$root/docs/images}
[ -f "$build/bin/qvRuvodaR3.ini" ] || { echo "no $build/bin/qvRuvodaR3.ini: build the Windows tree first" >&2; exit 1; }
command -v xdotool >/dev/null || { echo "no xdotool: run scripts/setup-debian.sh" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/capture.sh" <<'INNER'
#!/bin/sh
# Inside the X server.
sound=$1 work=$2
# The Presets button's place on the page (editor/EditorLayout.cpp), its middle.
button_x=$((306 + 38)) button_y=$((16 + 10))

# Where the page lies in the frame: ruvoda-host reports it with a picture.
"$WINE_RUN" "$RUVODA_HOST" --screenshot "$work/frame.bmp" --after 1 "$sound" 2>"$work/host.log" ||
  { grep '^ruvoda-host' "$work/host.log" >&2; exit 1; }
place=$(sed -n 's/^ruvoda-host: wrote .* page [0-9]* x [0-9]* at \([0-9]*\), \([0-9]*\);.*/\1 \2/p' "$work/host.log")
[ -n "$place" ] || { echo "ruvoda-host did not say where the page lies" >&2; exit 1; }
set -- $place
page_x=$1 page_y=$2

# This one stays open until the session's wineserver stops.
"$WINE_RUN" "$RUVODA_HOST" "$sound" 2>"$work/host.log" &
frame=$(timeout 60 xdotool search --sync --onlyvisible --name '^Properties for ') ||
  { echo "the property frame did not open" >&2; exit 1; }
sleep 2  # the page paints and the meters start

# Waits until the program shows $1 windows (a menu is one), for up to 20 seconds.
wait_windows() {
  tries=0
  while [ "$(xdotool search --onlyvisible --class 'ruvoda-host.exe' | wc -l)" -lt "$1" ]; do
    tries=$((tries + 1))
    [ $tries -le 100 ] || { echo "ruvoda-host did not open its menu" >&2; exit 1; }
    sleep 0.2
  done
  sleep 0.5  # painted
}

# The menu, then the third bank's submenu (past Add Preset..., Preset Manager... and the
# separator); keys go to the window under the pointer. The program's windows on the
# screen (the frame and the two menus) are noted for cropping.
xdotool mousemove --window "$frame" $((page_x + button_x)) $((page_y + button_y)) click 1
wait_windows 2
xdotool key Down Down Down Down Down Right
wait_windows 3
/usr/bin/import -window root "$work/screen.png"
for window in $(xdotool search --onlyvisible --class 'ruvoda-host.exe'); do
  eval "$(xdotool getwindowgeometry --shell "$window")"
  echo "$WIDTH $HEIGHT $X $Y"
done >"$work/windows"

# Back to the menu and up to Preset Manager...; in the Manager's tree (which has the
# focus, the top item selected) go to the same bank, expand it and select its first preset.
xdotool key Left Up Up Up Return
manager=$(timeout 30 xdotool search --sync --onlyvisible --name 'Preset Manager$') ||
  { echo "the Preset Manager did not open" >&2; exit 1; }
sleep 1
xdotool mousemove --window "$manager" 20 20
xdotool key Down Down Down Right Down
sleep 1
/usr/bin/import -window "$manager" "$work/preset-manager.png"
INNER
"$root/scripts/host-session.sh" "$build" sh "$work/capture.sh" "$root/resources/demo/demo-dry.wav" "$work" ||
  { echo "no pictures of the presets were taken" >&2; exit 1; }

mkdir -p "$output"
# The menu's picture keeps the program's windows and makes the rest of the screen
# transparent. /usr/bin/convert is ImageMagick's; another convert may come first on PATH.
shapes=$(awk '$1 > 1 && $2 > 1 { printf " rectangle %d,%d %d,%d", $3, $4, $3 + $1 - 1, $4 + $2 - 1 }' "$work/windows")
[ -n "$shapes" ] || { echo "no windows of ruvoda-host were on the screen" >&2; exit 1; }
/usr/bin/convert "$work/screen.png" -alpha off \
  \( +clone -fill black -colorize 100 -fill white -draw "$shapes" \) \
  -compose CopyOpacity -composite -trim +repage "$work/presets-menu.png"
for name in presets-menu preset-manager; do
  mv "$work/$name.png" "$output/$name.png.tmp" && mv "$output/$name.png.tmp" "$output/$name.png"
  echo "wrote $output/$name.png"
done
