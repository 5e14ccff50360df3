#!/bin/sh
# Runs the editor page benchmark under Wine on a private X server, in the Windows build
# tree's own prefix, after a line naming the machine:
#   bench/run-editor-bench.sh [windows build dir] [--repetitions N]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/win
if [ $# -gt 0 ] && [ "${1#--}" = "$1" ]; then
  build=$(cd "$1" && pwd)
  shift
fi
bench=$build/bin/editor_bench.exe
[ -f "$bench" ] || { echo "no $bench: build the editor_bench target first" >&2; exit 1; }

# Every window operation is a request to the Wine server. The server and the program share
# one core, so that a request does not have to wake another processor: on a virtual machine
# that wake-up costs more than the request and varies with what the machine is doing.
core=$(($(nproc) - 1))
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
echo "machine: $cpu, $(nproc) cores (measured on core $core); $(wine --version 2>/dev/null);" \
  "load average $(cut -d' ' -f1-3 /proc/loadavg)"
# The server starts and stops inside the display it draws on.
xvfb-run -a -s "-screen 0 1280x1024x24" taskset -c "$core" sh -c '
  root=$1 build=$2 bench=$3
  shift 3
  "$root/scripts/wine-server.sh" "$build" || exit 1
  RUVODA_BUILD_DIR="$build" "$root/cmake/wine-run" "$bench" "$@"; rc=$?
  WINEPREFIX="$build/wineprefix" wineserver -k 2>/dev/null
  exit $rc' sh "$root" "$build" "$bench" "$@"
