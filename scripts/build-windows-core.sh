#!/usr/bin/env bash
# Cross-builds the Qt-free core for x86_64 Windows (MinGW-w64, posix threads): vanto_core, the tester emulator
# UUSBQK.DLL and every test program that links no Qt, with GoogleTest built from Debian's source package, into
# BUILD_ROOT/windows-core. It also writes BUILD_ROOT/windows-core/wine-tests.cmake, from which the Linux build in
# BUILD_ROOT (configured with -DVANTO_WINE_TESTS=ON) runs each program under Wine as one ctest entry.
# Usage: scripts/build-windows-core.sh BUILD_ROOT
set -euo pipefail
if [ $# -ne 1 ]; then
    echo "usage: $0 BUILD_ROOT" >&2
    exit 2
fi
repo=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
root=$(cd "$1" && pwd)
dir="$root/windows-core"
jobs=${VANTO_JOBS:-$(nproc)}

for tool in x86_64-w64-mingw32-g++-posix cmake ninja; do
    command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/install-deps.sh test" >&2; exit 1; }
done
[ -f /usr/src/googletest/CMakeLists.txt ] || { echo "missing /usr/src/googletest: install googletest" >&2; exit 1; }

cmake -S "$repo" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64-posix.cmake" \
      -DVANTO_CORE_ONLY=ON -DVANTO_BUILD_TESTS=ON -DVANTO_BUILD_BENCH=OFF -DVANTO_WITH_PTRASSIST=OFF \
      -DVANTO_WERROR=ON -DVANTO_WINE_PREFIX="$root/wineprefix" -DVANTO_HOST_BUILD="$root" >/dev/null
cmake --build "$dir" -j "$jobs"
echo "built $dir (tests listed in $dir/wine-tests.cmake)"
