#!/usr/bin/env bash
# Cross-builds ptrassist.dll for Windows: BUILD_ROOT/ptrassist-win64 (x86_64) and BUILD_ROOT/ptrassist-win32 (i686),
# each with the smoke test program beside the DLL. A 64-bit Windows needs both: each hooks programs of its own width.
# Usage: ptrassist/build-windows.sh BUILD_ROOT
set -euo pipefail
if [ $# -ne 1 ]; then
    echo "usage: $0 BUILD_ROOT" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$here")
mkdir -p "$1"
root=$(cd "$1" && pwd)
jobs=${PTRASSIST_JOBS:-$(nproc)}

for target in x86_64:win64 i686:win32; do
    arch=${target%%:*}
    dir="$root/ptrassist-${target##*:}"
    if ! command -v "$arch-w64-mingw32-g++" >/dev/null; then
        echo "missing $arch-w64-mingw32-g++: install mingw-w64 (scripts/install-deps.sh test)" >&2
        exit 1
    fi
    cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-$arch.cmake" >/dev/null
    cmake --build "$dir" -j "$jobs"
    echo "built $dir/ptrassist.dll"
done
