#!/usr/bin/env bash
# Runs one Windows test program under Wine, headless, in the shared Wine prefix; --setup makes the prefix once.
# Usage: wine-run.sh WINEPREFIX --setup | wine-run.sh WINEPREFIX PROGRAM.exe [ARGS...]
set -euo pipefail
export WINEPREFIX=$1
shift
# Quiet and unattended: no debug output, no prompts to install Mono or Gecko.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
# The 64-bit loader by name: Debian's "wine" starts the 32-bit one whenever wine32 is installed.
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || { echo "FAIL: wine64 is not installed (scripts/install-deps.sh test)" >&2; exit 1; }
export WINELOADER=$wine

if [ "$1" = --setup ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    # One maker at a time: the ptrassist smoke test shares the prefix and takes the same lock.
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        start=$(date +%s)
        "$wine" wineboot -i >/dev/null 2>&1 || true
        wineserver -w
        [ -f "$WINEPREFIX/system.reg" ] || { echo "FAIL: wineboot made no prefix in $WINEPREFIX" >&2; exit 1; }
        echo "made Wine prefix $WINEPREFIX in $(($(date +%s) - start)) s"
    else
        echo "Wine prefix $WINEPREFIX is ready"
    fi
    exit 0
fi

[ -f "$WINEPREFIX/system.reg" ] || { echo "FAIL: no Wine prefix in $WINEPREFIX (the setup test failed)" >&2; exit 1; }
[ -f "$1" ] || { echo "FAIL: $1 is missing: run scripts/build-windows-core.sh" >&2; exit 1; }
exec "$wine" "$@"
