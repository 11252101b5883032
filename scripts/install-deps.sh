#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; skips what is already there.
# Usage: scripts/install-deps.sh run|test|fuzz|windows
set -euo pipefail
mode=${1:-test}

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl1-mesa-dev qt6-charts-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev nlohmann-json3-dev
    fonts-ipafont-gothic fonts-ipafont-mincho
)
if [ "$mode" = fuzz ]; then
    # libFuzzer with the sanitizers comes with clang's runtime.
    packages+=(clang libclang-rt-14-dev)
fi
if [ "$mode" = windows ]; then
    # Qt for Windows is cross-built from Debian's own source package (scripts/build-windows-qt.sh), which needs a
    # deb-src entry; the installer is made with NSIS.
    packages+=(mingw-w64 g++-mingw-w64-x86-64 g++-mingw-w64-i686 patch xz-utils nsis)
    # The source entries mirror the machine's own binary entries, whatever archive they name.
    sources=/etc/apt/sources.list.d/vantodesk-deb-src.sources
    if [ ! -f "$sources" ] && ! grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d; then
        [ "$(id -u)" -eq 0 ] || { echo "Need root to add $sources" >&2; exit 1; }
        {
            for f in /etc/apt/sources.list.d/*.sources; do
                [ -f "$f" ] && grep -qs '^Types: deb$' "$f" && grep -qs '^Suites: bookworm' "$f" && grep -qs debian-archive-keyring "$f" &&
                    sed 's/^Types: deb$/Types: deb-src/' "$f" && echo
            done
        } >"$sources.tmp"
        if [ ! -s "$sources.tmp" ] && [ -f /etc/apt/sources.list ]; then
            sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >/etc/apt/sources.list.d/vantodesk-deb-src.list
        fi
        mv "$sources.tmp" "$sources"
        apt-get update -q
    fi
fi
if [ "$mode" = test ]; then
    # ptrassist is cross-built for Windows and smoke-tested under Wine on a virtual display.
    packages+=(mingw-w64 g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 xvfb xauth xdotool)
    # The i686 DLL runs under 32-bit Wine: Debian ships it for the i386 architecture only.
    packages+=(wine32:i386)
    # The tree's formatting is checked with the clang-format Debian 12 ships.
    packages+=(clang-format)
    # The printing tests read the text and the pages of the PDF files they print.
    packages+=(poppler-utils)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
# Packages of a foreign architecture (wine32:i386) need that architecture known to dpkg first.
for p in "${missing[@]}"; do
    if [[ $p == *:* ]] && ! { dpkg --print-architecture; dpkg --print-foreign-architectures; } | grep -qx "${p##*:}"; then
        $sudo dpkg --add-architecture "${p##*:}"
    fi
done
$sudo apt-get update -q
$sudo apt-get install -y -q "${missing[@]}"
