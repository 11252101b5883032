#!/usr/bin/env bash
# The installer under Wine, in a fresh prefix, as a workshop meets it: a silent install into C:\vantodesk; the
# installed program started on a virtual display, showing its main window "診断機よりデータの読み込み" and ending
# through its button "終　了"; then the uninstaller, which removes the program and its Start-menu entry and keeps
# the data folders, VANTO_DATA.ini and the tester's own UUSBQK.DLL. A 32-bit installer is skipped where the kernel
# cannot run 32-bit programs.
# Usage: installer-test.sh CROSS_BUILD_DIR [SCREENSHOT.xwd]
set -euo pipefail
dir=$(cd "$1" && pwd)
shot=${2:-}
setup=$dir/vantodesk-setup.exe
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
[ -f "$setup" ] || fail "no installer in $dir: run scripts/build-installer.sh"
[ "$setup" -nt "$dir/bin/vantodesk.exe" ] || fail "the installer is older than the program: run scripts/build-installer.sh"
command -v xdotool >/dev/null || fail "xdotool is not installed (scripts/install-deps.sh test)"
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

export WINEPREFIX=$dir/wineprefix-installer WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
wine=/usr/lib/wine/wine64
export WINELOADER=$wine
if [ "$(od -An -tx2 -j $(($(od -An -tu4 -j 60 -N 4 "$setup" | tr -d ' ') + 4)) -N 2 "$setup" | tr -d ' ')" = 014c ]; then
    wine=/usr/lib/wine/wine
    unset WINELOADER
    [ -x "$wine" ] || fail "32-bit Wine is not installed (wine32:i386, scripts/install-deps.sh test)"
    if ! "$wine" --version >/dev/null 2>&1; then
        echo "SKIPPED: this kernel cannot run 32-bit programs (no IA-32 emulation), so the 32-bit installer cannot start"
        exit 77
    fi
fi
# One lock with the other Wine tests, though the prefix is this test's own.
exec 9>"$dir/wineprefix-installer.lock"
flock 9
rm -rf "$WINEPREFIX"
"$wine" wineboot -i >/dev/null 2>&1 9>&- || true
# A new prefix says Windows 7, where Qt 6 does not run and the installer refuses; workshops run Windows 10 or 11.
"$wine" winecfg -v win10 >/dev/null 2>&1 9>&- || fail "winecfg cannot set the Windows version"
wineserver -w 9>&-
trap 'wineserver -k 9>&- 2>/dev/null || true' EXIT
drive=$WINEPREFIX/drive_c
install=$drive/vantodesk

echo "install: vantodesk-setup.exe /S /D=C:\\vantodesk"
"$wine" "$setup" /S '/D=C:\vantodesk' </dev/null >/dev/null 2>&1 9>&- || fail "the silent install failed"
wineserver -w 9>&-
for file in vantodesk.exe uninstall.exe Qt6Core.dll Qt6Widgets.dll Qt6PrintSupport.dll Qt6Charts.dll \
            platforms/qwindows.dll styles/qwindowsvistastyle.dll licenses/LICENSE.txt licenses/THIRD-PARTY-NOTICES.txt \
            lib/fonts/ipag.ttf; do
    [ -f "$install/$file" ] || fail "the installer did not install $file"
done
for file in UUSBQK.DLL vantodesk-screenshots.exe platforms/qoffscreen.dll; do
    [ ! -e "$install/$file" ] || fail "the installer installed $file"
done
link=$(find "$drive/users" -path '*/Start Menu/Programs/vantodesk.lnk' | head -n1)
[ -n "$link" ] || fail "no Start-menu entry"
echo "ok: the program, its DLLs, the licences and the Start-menu entry are installed"

# The data where a workshop may keep it: below the program's folder, named by VANTO_DATA.ini.
printf '[OWNER]\r\nDIR=C:\\vantodesk\\data\\owner\\\r\n[USERS]\r\nDIR=C:\\vantodesk\\data\\users\\\r\n' \
    >"$install/VANTO_DATA.ini"
"$wine" 'C:\vantodesk\vantodesk.exe' </dev/null >/dev/null 2>&1 9>&- &
program=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^診断機よりデータの読み込み$' | head -n1) ||
    fail "no main window titled 診断機よりデータの読み込み within 60 s"
echo "ok: the main window 診断機よりデータの読み込み is shown"
[ -d "$install/data/owner" ] && [ -d "$install/data/users" ] || fail "the program made no data folders"
sleep 1
[ -z "$shot" ] || xwd -silent -root >"$shot" || true
# "終　了" is the upper right button of the menu; its centre lies 591, 41 pixels into the window.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 591)) $((Y + 41)) click 1
for _ in $(seq 1 150); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.2
done
! kill -0 "$program" 2>/dev/null || fail "the program did not end through 終　了"
wait "$program" || fail "the program ended with status $?"
echo "ok: 終　了 ended the program"

echo "keep" >"$install/data/users/VISITOR_M.DT"
echo "the tester's library" >"$install/UUSBQK.DLL"
"$wine" 'C:\vantodesk\uninstall.exe' /S </dev/null >/dev/null 2>&1 9>&- || fail "the uninstaller failed"
wineserver -w 9>&- # the uninstaller runs on as a copy of itself until it is done
for file in vantodesk.exe uninstall.exe Qt6Core.dll platforms/qwindows.dll lib/fonts/ipag.ttf licenses/LICENSE.txt; do
    [ ! -e "$install/$file" ] || fail "the uninstaller left $file"
done
[ ! -e "$link" ] || fail "the uninstaller left the Start-menu entry"
[ "$(cat "$install/data/users/VISITOR_M.DT")" = keep ] || fail "the uninstaller touched the customer list"
[ -d "$install/data/owner" ] || fail "the uninstaller removed the owner's data folder"
[ -f "$install/VANTO_DATA.ini" ] || fail "the uninstaller removed VANTO_DATA.ini"
[ -f "$install/UUSBQK.DLL" ] || fail "the uninstaller removed the tester's library"
echo "ok: the uninstaller removed the program and kept the data, VANTO_DATA.ini and UUSBQK.DLL"
