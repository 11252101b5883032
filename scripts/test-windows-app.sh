#!/usr/bin/env bash
# Builds the Windows program for one architecture (Qt from the cache, built once), its installer, and runs its
# whole suite under Wine through the Linux build's ctest (label windows-app-<arch>): every test program, GUI tests
# included, and the installer's install, start and uninstall. ./test.sh does this for x86_64; run it for i686, the
# build workshops install, before each submission. The i686 suite reports itself skipped where the kernel cannot
# run 32-bit programs.
# Usage: scripts/test-windows-app.sh BUILD_ROOT [i686|x86_64]      (default i686; BUILD_ROOT is ./test.sh's build)
set -euo pipefail
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 BUILD_ROOT [i686|x86_64]" >&2
    exit 2
fi
arch=${2:-i686}
repo=$(cd "$(dirname "$0")/.." && pwd)
root=$(cd "$1" && pwd)
[ -f "$root/windows-core-tests.cmake" ] ||
    { echo "$root is not a Linux build with -DVANTO_WINE_TESTS=ON: run ./test.sh first" >&2; exit 1; }
"$repo/scripts/install-deps.sh" windows
"$repo/scripts/build-windows-app.sh" "$root" "$arch"
"$repo/scripts/build-installer.sh" "$root" "$arch"
cd "$root"
ctest -L "windows-app-$arch" --output-on-failure --timeout 600
