#!/usr/bin/env bash
# Runs test programs of the Windows program build (scripts/build-windows-app.sh) under Wine, headless, one at a
# time through tests/windows/wine-run.sh, with the environment the Linux build's ctest gives them, and prints one
# line per program: PASS, FAIL or SKIP. Not part of ctest yet.
# Usage: scripts/run-windows-app-tests.sh BUILD_ROOT [x86_64] [TEST_PROGRAM...]   (default: every test program)
set -euo pipefail
if [ $# -lt 1 ]; then
    echo "usage: $0 BUILD_ROOT [x86_64] [TEST_PROGRAM...]" >&2
    exit 2
fi
repo=$(cd "$(dirname "$0")/.." && pwd)
root=$(cd "$1" && pwd)
shift
arch=x86_64
if [ "${1:-}" = x86_64 ] || [ "${1:-}" = i686 ]; then
    arch=$1
    shift
fi
[ "$arch" = x86_64 ] || { echo "only the x86_64 build runs here so far" >&2; exit 2; }
dir="$root/windows-app-$arch"
deploy="$dir/deploy"
[ -d "$deploy" ] || { echo "no deployed folder in $dir: run scripts/build-windows-app.sh $root $arch" >&2; exit 1; }
# Even the offscreen platform needs an X display under Wine: one Xvfb for the whole run, so no Wine server
# outlives the display it started with.
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a "$0" "$root" "$arch" "$@"
fi
prefix="$root/wineprefix-app-$arch"
runner="$repo/tests/windows/wine-run.sh"
logs="$dir/wine-logs"
mkdir -p "$logs"

# The Qt DLLs load from the Qt prefix, which finds its plugins itself, and the runtime DLLs from the compiler's
# folders: not from the deployed folder, whose UUSBQK.DLL would be found on the search path by the tests that
# take the emulator away. The offscreen platform reads the fonts of the deployed folder. Wine passes no QT_
# variables on, but it passes WINEQT_ ones without the WINE.
qt=$("$repo/scripts/build-windows-qt.sh" "$arch" | tail -n1)
path="Z:$qt/bin"
for runtime in libstdc++-6.dll libwinpthread-1.dll; do
    path="$path;Z:$(dirname "$(readlink -f "$("$arch-w64-mingw32-g++-posix" -print-file-name="$runtime")")")"
done
export WINEPATH="$path" WINEQT_QPA_FONTDIR="Z:$deploy/lib/fonts"
export WINEQT_QPA_PLATFORM=offscreen WINEQT_FORCE_STDERR_LOGGING=1
export VANTO_TEST_BIN="Z:$dir/bin" VANTO_SOURCE_DIR="Z:$repo"
[ ! -f "$root/bin/cp932-table.txt" ] || export VANTO_SJIS_TABLE="Z:$root/bin/cp932-table.txt"

"$runner" "$prefix" --setup >/dev/null
if [ $# -eq 0 ]; then
    set -- $(cd "$dir/tests" && ls *.exe | sed 's/\.exe$//')
fi
failed=0
for test in "$@"; do
    status=0
    start=$(date +%s)
    "$runner" "$prefix" "$dir/tests/$test.exe" >"$logs/$test.log" 2>&1 || status=$?
    took=$(($(date +%s) - start))
    case $status in
    0) echo "PASS $test (${took} s)" ;;
    77) echo "SKIP $test (${took} s)" ;;
    *)
        echo "FAIL $test (exit $status, ${took} s): $logs/$test.log"
        failed=1
        ;;
    esac
done
WINEPREFIX="$prefix" wineserver -w
exit $failed
