#!/usr/bin/env bash
# Smoke test of the cross-built DLLs: checks that both carry their exports under undecorated names and need nothing
# but system DLLs, then runs the smoke test program of one width (x86_64 unless told i686) under Wine on a virtual
# display. A missing DLL fails. The i686 run needs 32-bit Wine (wine32:i386) and a kernel that runs 32-bit
# programs; where the kernel cannot, the run says so and exits 77 (skipped). A cross build older than its sources
# fails: its DLL is not the one the sources make.
# Usage: run-smoke.sh WIN64_DIR WIN32_DIR WINEPREFIX [x86_64|i686]
set -euo pipefail
win64=$1
win32=$2
export WINEPREFIX=$3
width=${4:-x86_64}

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

# The build files are brought up to date first (CMake files); the dry run then reads them through an include, since
# ninja ends a dry run as soon as it would regenerate its own manifest.
check_current() { # BUILD_DIR
    local dir=$1 check work
    [ -f "$dir/build.ninja" ] || fail "no cross build in $dir: run ptrassist/build-windows.sh on this build folder"
    ninja -C "$dir" build.ninja >/dev/null
    check=$(mktemp "$dir/current-XXXXXX.ninja")
    echo "include build.ninja" >"$check"
    work=$(ninja -C "$dir" -f "$(basename "$check")" -n) || true
    rm -f "$check"
    grep -q '^ninja: no work to do\.$' <<<"$work" ||
        fail "the DLL in $dir is older than its sources: run ptrassist/build-windows.sh on this build folder"
    echo "ok: $dir is up to date with the sources"
}

check_current "$win64"
check_current "$win32"
check_dll "$win64/ptrassist.dll" x86_64-w64-mingw32-objdump
check_dll "$win32/ptrassist.dll" i686-w64-mingw32-objdump
case $width in
x86_64) program=$win64/ptrassist_smoke.exe ;;
i686) program=$win32/ptrassist_smoke.exe ;;
*) fail "unknown width $width" ;;
esac
[ -f "$program" ] || fail "$program is missing"

# Debian's "wine" starts the 32-bit loader whenever wine32 is installed, also for 64-bit programs, so each width
# names its loader. The 64-bit one needs to be told it is the loader, as Debian's wrapper does.
wine64=/usr/lib/wine/wine64
wine32=/usr/lib/wine/wine
[ -x "$wine64" ] || fail "wine64 is not installed (scripts/install-deps.sh test)"
command -v xvfb-run >/dev/null || fail "xvfb-run is not installed (package xvfb)"
export WINELOADER=$wine64
wine=$wine64
if [ "$width" = i686 ]; then
    [ -x "$wine32" ] || fail "32-bit Wine is not installed (wine32:i386, scripts/install-deps.sh test)"
    if ! "$wine32" --version >/dev/null 2>&1; then
        echo "SKIPPED: this kernel cannot run 32-bit programs (no IA-32 emulation), so 32-bit Wine cannot start"
        exit 77
    fi
    unset WINELOADER
    wine=$wine32
fi

# Quiet and unattended: no debug output, no prompts to install Mono or Gecko.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64

# The prefix is shared with the Windows core tests, and Wine tests run one at a time under its lock (ctest also
# schedules them so). A Wine server that a headless run left behind would serve this run's windows without its
# display: it is waited for before the display starts. This run's server is waited for too, so that nothing
# outlives the test. Wine's processes do not inherit the lock (9>&-).
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
wineserver -w 9>&-
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -e
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "creating Wine prefix $WINEPREFIX"
        "$2" wineboot -i >/dev/null 2>&1 || true
        wineserver -w
        [ -f "$WINEPREFIX/system.reg" ] || { echo "FAIL: wineboot made no prefix" >&2; exit 1; }
    fi
    status=0
    "$0" "$1" || status=$?
    wineserver -w
    exit $status
' "$wine" "$program" "$wine64" 9>&-
