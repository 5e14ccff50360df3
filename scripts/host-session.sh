#!/bin/sh
# Runs a command that shows ruvoda-host's windows, for taking pictures of them: under a
# private X server, in the Windows build tree's own Wine prefix, whose wineserver is stopped
# afterwards:
#   scripts/host-session.sh WINDOWS_BUILD_DIR COMMAND [ARGUMENTS...]
# The command finds cmake/wine-run in WINE_RUN and the program in RUVODA_HOST. With no
# window manager nobody draws the windows' captions and borders; Wine draws them itself,
# told so for ruvoda-host.exe only and only for this run. Exits with the command's status.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
shift
if [ -z "$RUVODA_HOST_SESSION" ]; then
  for file in "$build/bin/ruvoda-host.exe" "$build/bin/qvRuvodaR3.dll"; do
    [ -f "$file" ] || { echo "no $file: build the Windows tree first (scripts/build.sh)" >&2; exit 1; }
  done
  RUVODA_HOST_SESSION=1 RUVODA_BUILD_DIR=$build WINEPREFIX=$build/wineprefix \
    exec xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" "$build" "$@"
fi

# Inside the X server; the prefix's wineserver stops before the X server goes.
export WINE_RUN="$root/cmake/wine-run" RUVODA_HOST="$build/bin/ruvoda-host.exe"
key='HKCU\Software\Wine\AppDefaults\ruvoda-host.exe'
"$WINE_RUN" reg add "$key\X11 Driver" /v Decorated /d N /f >/dev/null 2>&1
rc=0
"$@" || rc=$?
"$WINE_RUN" reg delete "$key" /f >/dev/null 2>&1
wineserver -k 2>/dev/null || true
exit $rc
