#!/bin/sh
# Installs the Debian packages the build, the tests and the demo need, when missing.
# Fonts: DejaVu for the artwork generator; Liberation, whose Sans has Arial's metrics, for
# the text drawn in Arial (Wine also falls back to it for the Tahoma behind the stock GUI
# font, which Debian's Wine does not find even with its fonts package installed). xdotool
# drives the editor's menus for the presets' pictures. clang brings libFuzzer and the thread
# sanitizer's runtime for the fuzz and thread trees. gnuplot draws the engine benchmark's
# plot (scripts/engine-bench.sh).
set -e
packages="cmake ninja-build g++ clang googletest libbenchmark-dev g++-mingw-w64-x86-64 wine wine64
  xvfb xauth xdotool imagemagick sox gstreamer1.0-plugins-good python3 python3-pil
  fonts-dejavu-core fonts-dejavu-extra fonts-liberation fp-utils gnuplot-nox"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "installing:$missing"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
