#!/bin/sh
# Builds the Windows installer build/dist/qvRuvodaR3-<version>-setup.exe with NSIS from the
# two Windows trees (built beforehand, e.g. by `scripts/build.sh --win32`).
#   scripts/installer.sh [64-bit build dir] [32-bit build dir] [output folder]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
win64=$(cd "${1:-$root/build/win}" && pwd)
win32=$(cd "${2:-$root/build/win32}" && pwd)
dist=${3:-$root/build/dist}
version=$(head -n 1 "$root/VERSION")
for dir in "$win64" "$win32"; do
  for file in qvRuvodaR3.dll ruvoda-host.exe deZovuvi.chm qvRuvodaR3.ini; do
    [ -f "$dir/bin/$file" ] || { echo "installer: no $dir/bin/$file: build both Windows trees first" >&2; exit 1; }
  done
done
mkdir -p "$dist"
# makensis reads the Windows-style paths the script names as they are given.
docs=$(mktemp -d)
trap 'rm -rf "$docs"' EXIT
cp "$root/README.md" "$root/CHANGELOG.md" "$root/resources/demo/demo-dry.wav" "$docs/"
out="$dist/qvRuvodaR3-$version-setup.exe"
makensis -V2 -DVERSION="$version" -DWIN64_DIR="$win64/bin" -DWIN32_DIR="$win32/bin" \
  -DPRESETS="$root/presets/factory/qvRuvodaR3.ini" -DDOCS_DIR="$docs" -DOUTFILE="$out" "$root/installer/qvRuvodaR3.nsi"
echo "$out"
