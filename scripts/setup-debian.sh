#!/bin/sh
# Installs the Debian packages the build, the tests and the demo need, when missing.
# Fonts: DejaVu for the artwork generator; Liberation, whose Sans has Arial's metrics, for
# the text drawn in Arial (Wine also falls back to it for the Tahoma behind the stock GUI
# font, which Debian's Wine does not find even with its fonts package installed). xdotool
# drives the editor's menus for the presets' pictures. clang builds the fuzz and thread
# trees; libclang-rt-14-dev holds its sanitizer and libFuzzer runtimes, which a plain clang
# install leaves out. gnuplot draws the engine benchmark's plot (bench/run-engine-bench.sh).
# With --win32 it also readies the 32-bit Windows tree and the installer: the i686 compiler
# and NSIS, then Wine's 32-bit loader and GStreamer plugins (its WAVE parser) from the i386
# architecture (added to dpkg first), which run the 32-bit programs in the same 64-bit
# prefixes.
set -e
packages="cmake ninja-build g++ clang libclang-rt-14-dev googletest libbenchmark-dev g++-mingw-w64-x86-64 wine wine64
  xvfb xauth xdotool imagemagick sox gstreamer1.0-plugins-good python3 python3-pil
  fonts-dejavu-core fonts-dejavu-extra fonts-liberation fp-utils gnuplot-nox"
win32_wine="wine32:i386 gstreamer1.0-plugins-good:i386"
[ "$1" = "--win32" ] && packages="$packages g++-mingw-w64-i686-posix nsis"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo

missing_of() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || printf ' %s' "$p"
  done
}
# A package list that fails to download (a mirror in mid-sync) is ignored by the update;
# the install then says what it could not find.
install() {
  echo "installing:$*"
  $sudo apt-get update -qq || true
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@"
}

missing=$(missing_of $packages)
[ -z "$missing" ] || install $missing
[ "$1" = "--win32" ] || exit 0

# The i386 package lists can lag behind amd64's on a mirror, and then Wine's 32-bit loader
# cannot be installed beside the newer 64-bit libraries. That is reported here, and the
# test command then says it skips the 32-bit programs rather than failing everything else.
missing=$(missing_of $win32_wine)
[ -z "$missing" ] && exit 0
dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
install $missing || echo "setup: could not install$missing: the 32-bit programs cannot run under Wine on this machine" >&2
