#!/bin/sh
# Readies a Windows build tree's Wine prefix for a test run (creating the prefix on first
# use): one Wine server that lasts until it is stopped with `wineserver -k` under the same
# WINEPREFIX, the prefix's own processes (services, devices) and its desktop, all started
# here with their standard handles on /dev/null.
# The tests and the test discovery run hundreds of short Wine programs, two at a time.
# Without a lasting server each pays seconds for a server start, and a server that ends on
# its own after an idle spell closes its socket while the next program may be starting. And
# whichever program starts the prefix's processes or its desktop hands them its standard
# error, which they keep after it exits: a test that started them would last as long as
# they do.
set -e
build_dir=$(cd "$1" && pwd)
keeper="$build_dir/bin/desktop-keeper.exe"
[ -f "$keeper" ] || { echo "wine-server: no $keeper: build the Windows tree first" >&2; exit 1; }
export WINEPREFIX="$build_dir/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
export RUVODA_BUILD_DIR="$build_dir"
wine_run="$(dirname "$0")/../cmake/wine-run"
# Creates the prefix when it is missing, under a server of its own.
"$wine_run" cmd /c exit </dev/null >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wineserver -p
# Without a window manager Wine waits seconds for one each time a framed window closes: the
# preset tests' dialogs go unmanaged. A program that crashes ends at once with a backtrace
# instead of waiting on the crash dialog.
"$wine_run" reg add 'HKCU\Software\Wine\AppDefaults\presets_tests.exe\X11 Driver' /v Managed /d N /f \
  </dev/null >/dev/null 2>&1
"$wine_run" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
  </dev/null >/dev/null 2>&1
ready="$build_dir/desktop-keeper.out"
rm -f "$ready"
"$wine_run" "$keeper" </dev/null >"$ready" 2>/dev/null &
tries=0
until grep -q '^ready' "$ready" 2>/dev/null; do
  tries=$((tries + 1))
  [ $tries -le 600 ] || { echo "wine-server: the desktop did not come up within 60 s" >&2; exit 1; }
  sleep 0.1
done
