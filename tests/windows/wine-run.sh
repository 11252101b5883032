#!/usr/bin/env bash
# Runs the Windows test programs under Wine, headless, in the shared Wine prefix.
# Usage: wine-run.sh WINEPREFIX PROGRAM.exe [ARGS...]   runs the program; a program that skipped cases exits 77
#        wine-run.sh WINEPREFIX --setup                 makes the prefix once
#        wine-run.sh WINEPREFIX --current BUILD_DIR     fails when the cross build is older than its sources
#        wine-run.sh WINEPREFIX --left-out REASON PROGRAM.exe --gtest_filter=CASES
#                                                       lists the cases left out under Wine and exits 77
# Wine tests run one at a time: ctest schedules them so (RESOURCE_LOCK wine) and each holds the prefix's lock,
# which the ptrassist smoke runs take too. A Wine server left by a headless run would otherwise serve a smoke
# run's windows without its display.
set -euo pipefail
export WINEPREFIX=$1
shift
# Quiet and unattended: no debug output, no prompts to install Mono or Gecko.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
# The 64-bit loader by name: Debian's "wine" starts the 32-bit one whenever wine32 is installed.
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || { echo "FAIL: wine64 is not installed (scripts/install-deps.sh test)" >&2; exit 1; }
export WINELOADER=$wine

if [ "$1" = --current ]; then
    # A Linux-only rebuild leaves the Windows programs as they were: running them would test old code. The build
    # files are brought up to date first (CMake files, new sources); the dry run then reads them through an
    # include, since ninja ends a dry run as soon as it would regenerate its own manifest.
    dir=$2
    [ -f "$dir/build.ninja" ] || { echo "FAIL: no cross build in $dir: run scripts/build-windows-core.sh" >&2; exit 1; }
    ninja -C "$dir" build.ninja >/dev/null
    check=$(mktemp "$dir/current-XXXXXX.ninja")
    trap 'rm -f "$check"' EXIT
    echo "include build.ninja" >"$check"
    work=$(ninja -C "$dir" -f "$(basename "$check")" -n)
    if ! grep -q '^ninja: no work to do\.$' <<<"$work"; then
        echo "$work"
        echo "FAIL: the Windows build in $dir is older than its sources; rebuild it with scripts/build-windows-core.sh or scripts/build-windows-app.sh on" \
             "$(dirname "$dir")" >&2
        exit 1
    fi
    echo "the Windows build in $dir is up to date"
    exit 0
fi

mkdir -p "$(dirname "$WINEPREFIX")"
# Held until this script ends; Wine's own processes do not inherit it (9>&-), so none that outlives the run holds it.
exec 9>"$WINEPREFIX.lock"
flock 9

# The Wine server and the service processes that the first program of a session starts stay a few seconds after
# it and inherit its output. Written to a file, it keeps no pipe of ctest open: the run ends with the program, and
# the next run finds the session still there.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
run() {
    local status=0
    "$wine" "$@" </dev/null >"$output" 2>&1 9>&- || status=$?
    tr -d '\r' <"$output"
    return $status
}

# A 32-bit program runs on the 32-bit loader (the prefix serves both widths), where the kernel runs 32-bit
# programs at all; elsewhere the run is skipped and says why.
select_loader() { # PROGRAM.exe
    local pe_header machine
    pe_header=$(od -An -tu4 -j 60 -N 4 "$1" | tr -d ' ')
    machine=$(od -An -tx2 -j $((pe_header + 4)) -N 2 "$1" | tr -d ' ')
    [ "$machine" = 014c ] || return 0
    wine=/usr/lib/wine/wine
    [ -x "$wine" ] || { echo "FAIL: 32-bit Wine is not installed (wine32:i386, scripts/install-deps.sh test)" >&2; exit 1; }
    if ! "$wine" --version >/dev/null 2>&1; then
        echo "SKIPPED: this kernel cannot run 32-bit programs (no IA-32 emulation), so 32-bit Wine cannot start"
        exit 77
    fi
    unset WINELOADER
}

if [ "$1" = --setup ]; then
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        start=$(date +%s)
        "$wine" wineboot -i >/dev/null 2>&1 9>&- || true
        wineserver -w 9>&-
        [ -f "$WINEPREFIX/system.reg" ] || { echo "FAIL: wineboot made no prefix in $WINEPREFIX" >&2; exit 1; }
        echo "made Wine prefix $WINEPREFIX in $(($(date +%s) - start)) s"
    else
        echo "Wine prefix $WINEPREFIX is ready"
    fi
    exit 0
fi

[ -f "$WINEPREFIX/system.reg" ] || { echo "FAIL: no Wine prefix in $WINEPREFIX (the setup test failed)" >&2; exit 1; }

if [ "$1" = --left-out ]; then
    reason=$2
    shift 2
    [ -f "$1" ] || { echo "FAIL: $1 is missing: run scripts/build-windows-core.sh or scripts/build-windows-app.sh" >&2; exit 1; }
    select_loader "$1"
    listing=$(run "$@" --gtest_list_tests) || { echo "$listing"; echo "FAIL: $1 cannot list its cases" >&2; exit 1; }
    cases=$(awk '/^[^ ]/ { suite = $1 } /^  [^ ]/ { print suite $1 }' <<<"$listing")
    if [ -z "$cases" ]; then
        echo "FAIL: no case matches $*: the cases left out under Wine are named wrongly" >&2
        exit 1
    fi
    echo "$cases"
    echo "SKIPPED: these $(wc -l <<<"$cases") cases are left out under Wine: $reason"
    exit 77
fi

[ -f "$1" ] || { echo "FAIL: $1 is missing: run scripts/build-windows-core.sh or scripts/build-windows-app.sh" >&2; exit 1; }
select_loader "$1"
status=0
run "$@" || status=$?
if [ "$status" != 0 ] && ! grep -q '^Running main()' "$output"; then
    # Now and then Wine cannot start a program while the server of the previous run is ending; it then exits at
    # once without a word. Such a start tested nothing: wait for the server to end and start the program once more.
    echo "the program ended with status $status before its main() ran; starting it once more"
    wineserver -w 9>&- || true
    status=0
    run "$@" || status=$?
    if [ "$status" != 0 ] && ! grep -q '^Running main()' "$output"; then
        echo "FAIL: the program ended with status $status before its main() ran (Wine's messages, if any, are above)"
    fi
fi
# The program is one ctest entry: it passes only when every case ran.
if [ "$status" = 0 ] && grep -q '^\[  SKIPPED \] [0-9]* tests\?, listed below' "$output"; then
    echo "SKIPPED: the cases listed above did not run here"
    exit 77
fi
exit "$status"
