#!/usr/bin/env bash
# Makes the installer vantodesk-setup.exe with NSIS from the deployed folder of scripts/build-windows-app.sh, into
# BUILD_ROOT/windows-app-<arch>/. The installer carries the program, its Qt and runtime DLLs and plugins, the IPA
# fonts and the licences; not the developer's screenshot program, the offscreen platform of the tests, or the
# emulator UUSBQK.DLL (a workshop puts the tester's own library beside the program). The version is the project's.
# Usage: scripts/build-installer.sh BUILD_ROOT [i686|x86_64]      (default i686, the build workshops install)
set -euo pipefail
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 BUILD_ROOT [i686|x86_64]" >&2
    exit 2
fi
arch=${2:-i686}
case "$arch" in
x86_64 | i686) ;;
*) echo "usage: $0 BUILD_ROOT [i686|x86_64]" >&2; exit 2 ;;
esac
repo=$(cd "$(dirname "$0")/.." && pwd)
root=$(cd "$1" && pwd)
dir="$root/windows-app-$arch"
deploy="$dir/deploy"
[ -f "$deploy/vantodesk.exe" ] || { echo "no deployed program in $deploy: run scripts/build-windows-app.sh $root $arch" >&2; exit 1; }
command -v makensis >/dev/null || { echo "missing makensis: run scripts/install-deps.sh windows" >&2; exit 1; }

version=$(sed -n 's/^project(vantodesk VERSION \([0-9.]*\).*/\1/p' "$repo/CMakeLists.txt")
[ -n "$version" ] || { echo "no version in $repo/CMakeLists.txt" >&2; exit 1; }
vi_version=$version
while [ "$(tr -cd . <<<"$vi_version" | wc -c)" -lt 3 ]; do vi_version=$vi_version.0; done

work="$dir/installer"
rm -rf "$work"
mkdir -p "$work"
# What the installer puts into the folder, and what its uninstaller takes away again: the same list.
files=$(cd "$deploy" && find . -type f ! -path ./vantodesk-screenshots.exe ! -iname uusbqk.dll \
    ! -path ./platforms/qoffscreen.dll | sed 's|^\./||' | LC_ALL=C sort)
folders=$(dirname $files | grep -vx '\.' | LC_ALL=C sort -u | while read -r f; do
    while [ "$f" != . ]; do echo "$f"; f=$(dirname "$f"); done
done | LC_ALL=C sort -u)
{
    current=
    for file in $files; do
        folder=$(dirname "$file")
        if [ "$folder" != "$current" ]; then
            if [ "$folder" = . ]; then echo 'SetOutPath "$INSTDIR"'; else echo "SetOutPath \"\$INSTDIR\\${folder//\//\\}\""; fi
            current=$folder
        fi
        echo "File \"$deploy/$file\""
    done
    echo 'SetOutPath "$INSTDIR"'
} >"$work/files.nsh"
{
    for file in $files; do echo "Delete \"\$INSTDIR\\${file//\//\\}\""; done
    # Deepest first, and only when empty.
    for folder in $(LC_ALL=C sort -r <<<"$folders"); do echo "RMDir \"\$INSTDIR\\${folder//\//\\}\""; done
} >"$work/remove.nsh"

makensis -V2 -DVERSION="$version" -DVI_VERSION="$vi_version" -DARCH="$arch" -DLICENSE_FILE="$repo/LICENSE" \
    -DFILES_NSH="$work/files.nsh" -DREMOVE_NSH="$work/remove.nsh" -DOUTFILE="$dir/vantodesk-setup.exe" \
    "$repo/installer/vantodesk.nsi"
echo "made $dir/vantodesk-setup.exe ($version, $arch, $(du -h "$dir/vantodesk-setup.exe" | cut -f1))"
