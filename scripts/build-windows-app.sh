#!/usr/bin/env bash
# Cross-builds the whole program for Windows (MinGW-w64, posix threads, the shared C++ runtime) against the Qt that
# scripts/build-windows-qt.sh builds once into its cache: vantodesk.exe, vantodesk-screenshots.exe, the tester
# emulator UUSBQK.DLL and every test program, GUI tests included, into BUILD_ROOT/windows-app-<arch>/. Then a
# deployed folder, BUILD_ROOT/windows-app-<arch>/deploy/: the program, the Qt DLLs and plugins it needs, the MinGW
# runtime DLLs, the emulator and the IPA fonts with their licence (the offscreen platform reads fonts from lib/fonts).
# Usage: scripts/build-windows-app.sh BUILD_ROOT [x86_64|i686]      (default x86_64)
# Environment: VANTO_JOBS (default: the number of cores), and those of scripts/build-windows-qt.sh.
set -euo pipefail
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 BUILD_ROOT [x86_64|i686]" >&2
    exit 2
fi
arch=${2:-x86_64}
case "$arch" in
x86_64 | i686) ;;
*) echo "usage: $0 BUILD_ROOT [x86_64|i686]" >&2; exit 2 ;;
esac
repo=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
root=$(cd "$1" && pwd)
dir="$root/windows-app-$arch"
deploy="$dir/deploy"
jobs=${VANTO_JOBS:-$(nproc)}
triple=$arch-w64-mingw32

for tool in "$triple-g++-posix" "$triple-strip" cmake ninja; do
    command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/install-deps.sh windows" >&2; exit 1; }
done
[ -f /usr/src/googletest/CMakeLists.txt ] || { echo "missing /usr/src/googletest: install googletest" >&2; exit 1; }

# Built once and cached; the prefix is the last line of the output.
qt=$("$repo/scripts/build-windows-qt.sh" "$arch" | tail -n1)
[ -x "$qt/bin/qt-cmake" ] || { echo "no cross-built Qt in '$qt'" >&2; exit 1; }

# Qt's toolchain file chain-loads the MinGW one kept in the prefix (cmake/mingw-w64-posix-shared.cmake).
cmake -S "$repo" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" -DVANTO_MINGW_ARCH="$arch" \
      -DVANTO_BUILD_TESTS=ON -DVANTO_BUILD_BENCH=OFF -DVANTO_WITH_PTRASSIST=OFF -DVANTO_WERROR=ON \
      -DVANTO_WINE_PREFIX="$root/wineprefix" -DVANTO_HOST_BUILD="$root" >/dev/null
cmake --build "$dir" -j "$jobs"

# The deployed folder, made anew each time.
rm -rf "$deploy"
mkdir -p "$deploy/platforms" "$deploy/styles" "$deploy/lib/fonts"
cp "$dir/bin/vantodesk.exe" "$dir/bin/vantodesk-screenshots.exe" "$dir/bin/UUSBQK.DLL" "$deploy/"
for module in Core Gui Widgets PrintSupport Charts; do
    cp "$qt/bin/Qt6$module.dll" "$deploy/"
done
cp "$qt/plugins/platforms/qwindows.dll" "$qt/plugins/platforms/qoffscreen.dll" "$deploy/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$deploy/styles/"
if [ "$arch" = i686 ]; then gcc_s=libgcc_s_dw2-1.dll; else gcc_s=libgcc_s_seh-1.dll; fi
for runtime in libstdc++-6.dll "$gcc_s" libwinpthread-1.dll; do
    found=$("$triple-g++-posix" -print-file-name="$runtime")
    [ -f "$found" ] || { echo "the posix compiler has no $runtime" >&2; exit 1; }
    cp "$found" "$deploy/"
done
for font in /usr/share/fonts/opentype/ipafont-gothic /usr/share/fonts/opentype/ipafont-mincho; do
    cp -L "$font"/*.ttf "$deploy/lib/fonts/"
done
# The fonts go with their licence agreement (in Debian's copyright file, the same for both) and their readme.
docs=/usr/share/doc/fonts-ipafont-gothic
for doc in copyright Readme_IPAfont00303.txt; do
    [ -f "$docs/$doc" ] || { echo "missing $docs/$doc: the IPA fonts ship with their licence" >&2; exit 1; }
done
cp "$docs/copyright" "$deploy/lib/fonts/IPA_Font_License.txt"
cp "$docs/Readme_IPAfont00303.txt" "$deploy/lib/fonts/"

# What is shipped carries no debug information (the build folder keeps it).
find "$deploy" \( -iname '*.exe' -o -iname '*.dll' \) -exec "$triple-strip" --strip-unneeded {} +

# Our licence and the third-party notices, with the licence texts they name.
mkdir -p "$deploy/licenses"
cp "$repo/LICENSE" "$deploy/licenses/LICENSE.txt"
cp "$repo/THIRD-PARTY-NOTICES.txt" "$deploy/licenses/"
cp /usr/share/common-licenses/GPL-3 "$deploy/licenses/GPL-3.0.txt"
cp /usr/share/common-licenses/LGPL-3 "$deploy/licenses/LGPL-3.0.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$deploy/licenses/gcc-runtime-copyright.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$deploy/licenses/mingw-w64-copyright.txt"

# Every DLL that the programs import is either in the folder or part of Windows.
missing=$(for binary in "$deploy"/*.exe "$deploy"/*.dll "$deploy"/platforms/*.dll "$deploy"/styles/*.dll; do
    "$triple-objdump" -p "$binary" | sed -n 's/^\s*DLL Name: //p'
done | sort -u | while read -r name; do
    [ -n "$(find "$deploy" -maxdepth 1 -iname "$name")" ] ||
        case "${name,,}" in
        api-ms-win-* | kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | ole32.dll | \
            oleaut32.dll | comdlg32.dll | winspool.drv | ws2_32.dll | mpr.dll | userenv.dll | netapi32.dll | \
            version.dll | winmm.dll | imm32.dll | dwmapi.dll | uxtheme.dll | shlwapi.dll | msvcrt.dll | \
            setupapi.dll | wtsapi32.dll | d3d11.dll | d3d9.dll | dxgi.dll | d2d1.dll | dwrite.dll | \
            authz.dll | shcore.dll | comctl32.dll | bcrypt.dll | ntdll.dll | rpcrt4.dll | crypt32.dll) ;;
        *) echo "$name" ;;
        esac
done)
[ -z "$missing" ] || { echo "the deployed folder lacks: $missing" >&2; exit 1; }
# The emulator stands alone, as the tester's own library does: it imports no runtime DLL, and the six calls leave it
# undecorated.
emulator=$("$triple-objdump" -p "$deploy/UUSBQK.DLL")
runtime_imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$emulator" | grep -iv '^\(kernel32\|msvcrt\|user32\|advapi32\)\.dll$' || true)
[ -z "$runtime_imports" ] || { echo "UUSBQK.DLL needs $runtime_imports" >&2; exit 1; }
exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$emulator" | sed -n 's/^\s*\[ *[0-9]*\] //p' | tr '\n' ' ')
[ "$exports" = "USBQK_Check USBQK_Close USBQK_Open USBQK_OpenPipe USBQK_ResetDevice USBQK_VendorRequest " ] ||
    { echo "UUSBQK.DLL exports: $exports" >&2; exit 1; }
echo "built $dir; deployed folder $deploy ($(du -sh "$deploy" | cut -f1))"
