#!/bin/sh
# Installs the Debian packages the build, the tests and the demo need, when missing.
# Fonts: DejaVu for the artwork generator; Liberation, whose Sans has Arial's metrics, for
# the text drawn in Arial (Wine also falls back to it for the Tahoma behind the stock GUI
# font, which Debian's Wine does not find even with its fonts package installed). xdotool
# drives the editor's menus for the presets' pictures. clang brings libFuzzer and the thread
# sanitizer's runtime for the fuzz and thread trees.
# With --win32 it also readies the 32-bit Windows tree and the installer: the i686 compiler,
# NSIS, and Wine's 32-bit loader and GStreamer plugins (its WAVE parser) from the i386
# architecture (added to dpkg first), which run the 32-bit programs in the same 64-bit
# prefixes.
set -e
packages="cmake ninja-build g++ clang googletest libbenchmark-dev g++-mingw-w64-x86-64 wine wine64
  xvfb xauth xdotool imagemagick sox gstreamer1.0-plugins-good python3 python3-pil
  fonts-dejavu-core fonts-dejavu-extra fonts-liberation fp-utils"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
if [ "$1" = "--win32" ]; then
  packages="$packages g++-mingw-w64-i686-posix nsis wine32:i386 gstreamer1.0-plugins-good:i386"
  dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
fi
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "installing:$missing"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
