#!/usr/bin/env bash
# Smoke test of the cross-built DLLs: checks that both carry their exports under undecorated names and need nothing
# but system DLLs, then runs the 64-bit smoke test program under Wine on a virtual display. A missing DLL fails.
# Usage: run-smoke.sh WIN64_DIR WIN32_DIR WINEPREFIX
set -euo pipefail
win64=$1
win32=$2
export WINEPREFIX=$3

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

exports=(CreateWheelWindow DoAutoDown DoAutoLeft DoAutoRight DoAutoUp GetDLLMapSize GetDLLVersion GetMapFilePointer
         InstallHook LowLevelMouseProc LowLevelMouseProc5 MouseProc SyMsgHookProc WheelWndProc)

check_dll() { # DLL OBJDUMP
    local dll=$1 objdump=$2 table names imports
    [ -f "$dll" ] || fail "$dll is missing: run ptrassist/build-windows.sh on this build folder"
    command -v "$objdump" >/dev/null || fail "$objdump not found (mingw-w64 binutils)"
    table=$("$objdump" -p "$dll")
    names=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$table" | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort)
    [ "$names" = "$(printf '%s\n' "${exports[@]}" | sort)" ] || fail "$dll exports: $names"
    imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$table" | tr 'A-Z' 'a-z' | sort -u | tr '\n' ' ')
    [ "$imports" = "kernel32.dll msvcrt.dll user32.dll " ] || fail "$dll imports: $imports"
    grep -q '\.shared' <<<"$("$objdump" -h "$dll")" || fail "$dll has no shared data section"
    echo "ok: $dll exports its 14 functions undecorated and imports only system DLLs"
}

check_dll "$win64/ptrassist.dll" x86_64-w64-mingw32-objdump
check_dll "$win32/ptrassist.dll" i686-w64-mingw32-objdump
[ -f "$win64/ptrassist_smoke.exe" ] || fail "$win64/ptrassist_smoke.exe is missing"

wine=$(command -v wine64 || command -v wine || true)
[ -n "$wine" ] || fail "wine is not installed (scripts/install-deps.sh test)"
command -v xvfb-run >/dev/null || fail "xvfb-run is not installed (package xvfb)"

# Quiet and unattended: no debug output, no prompts to install Mono or Gecko.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
mkdir -p "$WINEPREFIX"

# One virtual display for the prefix set-up and the test; the Wine server is waited for so that nothing outlives it.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -e
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "creating Wine prefix $WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
        [ -f "$WINEPREFIX/system.reg" ] || { echo "FAIL: wineboot made no prefix" >&2; exit 1; }
    fi
    status=0
    "$0" "$1" || status=$?
    wineserver -w
    exit $status
' "$wine" "$win64/ptrassist_smoke.exe"
