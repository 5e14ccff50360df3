#!/bin/sh
# Starts one long-lived Wine server for a Windows build tree's prefix (creating the prefix
# on first use). The tests and the test discovery run hundreds of short Wine programs;
# without a lasting server each one pays seconds for a server start. The server ends on
# its own a minute after the last program.
set -e
build_dir=$(cd "$1" && pwd)
export WINEPREFIX="$build_dir/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
RUVODA_BUILD_DIR="$build_dir" "$(dirname "$0")/../cmake/wine-run" cmd /c exit
wineserver -k 2>/dev/null || true
wineserver -p60
