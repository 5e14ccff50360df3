#!/bin/sh
# Makes a release from this checkout: builds the native and both Windows trees, runs every
# test, then leaves in build/dist/ the installer qvRuvodaR3-<version>-setup.exe and the
# archive qvRuvodaR3-<version>.zip (x64/ and x86/ with each DLL, its preset file, help file
# and host program, and the README, changelog and licence), named with the version in VERSION.
#   scripts/release.sh [--no-tests]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(head -n 1 "$root/VERSION")
dist="$root/build/dist"
if [ "$1" = "--no-tests" ]; then
  "$root/scripts/setup-debian.sh" --win32
  "$root/scripts/build.sh" --win32
else
  "$root/scripts/test.sh"
fi
"$root/scripts/installer.sh" "$root/build/win" "$root/build/win32" "$dist"

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
top="$stage/qvRuvodaR3-$version"
for row in "x64 $root/build/win" "x86 $root/build/win32"; do
  set -- $row
  mkdir -p "$top/$1"
  for file in qvRuvodaR3.dll qvRuvodaR3.ini deZovuvi.chm ruvoda-host.exe ruvoda-render.exe; do
    cp "$2/bin/$file" "$top/$1/"
  done
done
cp "$root/README.md" "$root/CHANGELOG.md" "$root/LICENSE" "$top/"
rm -f "$dist/qvRuvodaR3-$version.zip"
(cd "$stage" && python3 -m zipfile -c "$dist/qvRuvodaR3-$version.zip" "qvRuvodaR3-$version")
ls -l "$dist/qvRuvodaR3-$version-setup.exe" "$dist/qvRuvodaR3-$version.zip"
