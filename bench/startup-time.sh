#!/usr/bin/env bash
# Start-up time of the program: from starting the process to its main window "診断機よりデータの読み込み" mapped on
# a virtual display, for the Linux build and, under Wine, the deployed x86_64 and i686 Windows builds that exist.
# Each program starts from a folder of its own (a copy of the program beside links to its DLLs), so its data
# folders are new. One warm-up run, then RUNS runs (default 10), with Wine's server kept up between runs as on a
# desktop. Prints the minimum, median and maximum in milliseconds. A measurement, not a test: nothing is asserted.
# Usage: bench/startup-time.sh BUILD_ROOT [RUNS]
set -euo pipefail
root=$(cd "$1" && pwd)
runs=${2:-10}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$root" "$runs"
fi
command -v xdotool >/dev/null || { echo "xdotool is not installed (scripts/install-deps.sh test)" >&2; exit 1; }
work=$(mktemp -d)
export WINEPREFIX=$root/wineprefix-bench WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
trap 'WINELOADER=/usr/lib/wine/wine64 wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

# The milliseconds until the window shows; the program is ended then.
once() { # FOLDER COMMAND...
    local folder=$1 start shown pid
    shift
    rm -rf "$folder.run" && cp -a "$folder" "$folder.run"
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --name '^診断機よりデータの読み込み$' >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "$*: the program ended before its window showed" >&2; return 1; }
        sleep 0.01
    done
    shown=$(date +%s%N)
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    while xdotool search --onlyvisible --name '^診断機よりデータの読み込み$' >/dev/null 2>&1; do sleep 0.05; done
    echo $(((shown - start) / 1000000))
}

measure() { # LABEL FOLDER COMMAND...
    local label=$1 times
    shift
    once "$@" >/dev/null
    times=$(for _ in $(seq "$runs"); do once "$@"; done | sort -n)
    printf '%-28s min %5d ms   median %5d ms   max %5d ms   (%d runs)\n' "$label" "$(head -n1 <<<"$times")" \
        "$(sed -n "$(((runs + 1) / 2))p" <<<"$times")" "$(tail -n1 <<<"$times")" "$runs"
}

if [ -x "$root/bin/vantodesk" ]; then
    mkdir -p "$work/linux"
    cp "$root/bin/vantodesk" "$work/linux/"
    measure "Linux (xcb)" "$work/linux" env QT_QPA_PLATFORM=xcb "$work/linux.run/vantodesk"
fi
for arch in x86_64 i686; do
    deploy=$root/windows-app-$arch/deploy
    [ -f "$deploy/vantodesk.exe" ] || continue
    if [ "$arch" = i686 ]; then
        wine=/usr/lib/wine/wine
        unset WINELOADER
        "$wine" --version >/dev/null 2>&1 || { echo "Windows i686: skipped, this kernel cannot run 32-bit programs"; continue; }
    else
        wine=/usr/lib/wine/wine64
        export WINELOADER=$wine
    fi
    mkdir -p "$work/$arch"
    for entry in "$deploy"/*; do
        case $(basename "$entry") in
        vantodesk.exe) cp "$entry" "$work/$arch/" ;;
        UUSBQK.DLL | vantodesk-screenshots.exe) ;;
        *) ln -s "$entry" "$work/$arch/" ;;
        esac
    done
    wineserver -k 2>/dev/null || true
    wineserver -p # stays up between the runs
    "$wine" wineboot -i >/dev/null 2>&1 || true
    measure "Windows $arch under Wine" "$work/$arch" "$wine" "$work/$arch.run/vantodesk.exe"
done
