#!/bin/sh
# Configures and builds the native and the Windows trees under build/. The Windows tree
# knows the native one, so that its tests can compare the two builds' output. With --win32
# it also builds the 32-bit Windows tree build/win32, which knows both others.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/native" -j "$jobs"
cmake -S "$root" -B "$root/build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DRUVODA_NATIVE_BUILD_DIR="$root/build/native" >/dev/null
cmake --build "$root/build/win" -j "$jobs"
if [ "$1" = "--win32" ]; then
  cmake -S "$root" -B "$root/build/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" \
    -DRUVODA_NATIVE_BUILD_DIR="$root/build/native" \
    -DRUVODA_WIN64_BUILD_DIR="$root/build/win" >/dev/null
  cmake --build "$root/build/win32" -j "$jobs"
fi
