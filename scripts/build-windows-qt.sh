#!/usr/bin/env bash
# Cross-builds Qt for Windows with MinGW-w64 (posix threads, shared runtime) once, into a cache outside the clone:
# qtbase from Debian's source package at the host Qt's version, Debian's patches applied (less cross.patch, which
# is about Debian's own multiarch builds), and Qt Charts from shared/third-party at the same version.
# Reruns with the same version, architecture and configuration reuse the cache and print its prefix.
# Usage: scripts/build-windows-qt.sh x86_64|i686      (prints the Qt prefix on its last line)
# Environment: VANTO_QT_CACHE (default /var/cache/vantodesk), VANTO_JOBS (default: the number of cores).
set -euo pipefail
arch=${1:-}
case "$arch" in
x86_64 | i686) ;;
*) echo "usage: $0 x86_64|i686" >&2; exit 2 ;;
esac
repo=$(cd "$(dirname "$0")/.." && pwd)
cache=${VANTO_QT_CACHE:-/var/cache/vantodesk}
jobs=${VANTO_JOBS:-$(nproc)}
host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev) # 6.4.2+dfsg-10
qt_version=${host_version%%+*}
third_party="$repo/../shared/third-party"
charts_tar="$third_party/qtcharts-everywhere-src-$qt_version.tar.xz"

# What decides the build: a change here builds anew.
qtbase_options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    # Qt's own copies of its third-party libraries: nothing of the host leaks in.
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
    -DFEATURE_icu=OFF -DFEATURE_glib=OFF -DFEATURE_zstd=OFF -DFEATURE_pkg_config=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_vulkan=OFF
    # No OpenGL at all: FEATURE_opengl=OFF alone still leaves dynamic OpenGL, and the windows plugin then fails.
    -DINPUT_opengl=no
    # The +dfsg tarball drops wintab.
    -DFEATURE_tabletevent=OFF
    # Direct2D 1.1 fails to link Qt6PrintSupport with MinGW; plain Direct2D stays.
    -DFEATURE_direct2d1_1=OFF
)
# What decides the build, comments aside.
key=$({
    printf '%s\n' "$host_version" "$arch" "${qtbase_options[@]}"
    grep -v '^\s*#' "$repo/cmake/mingw-w64-posix-shared.cmake"
} | sha256sum | cut -c1-12)
prefix="$cache/qt-$qt_version-$arch"
stamp="$prefix/.vantodesk-build"
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$key" ]; then
    echo "$prefix"
    exit 0
fi

for tool in "$arch-w64-mingw32-g++-posix" cmake ninja patch; do
    command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/install-deps.sh test" >&2; exit 1; }
done
[ -f "$charts_tar" ] || { echo "missing $charts_tar" >&2; exit 1; }
(cd "$third_party" && sha256sum --quiet -c SHA256SUMS) || { echo "shared/third-party fails its SHA256SUMS" >&2; exit 1; }

work="$cache/build-qt-$qt_version-$arch"
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix"
start=$(date +%s)

# qtbase: the source package of the host's version, with Debian's patches but cross.patch.
(cd "$work" && apt-get source --download-only "qt6-base=$host_version" >/dev/null 2>&1) ||
    { echo "apt-get source qt6-base=$host_version failed: is a deb-src entry enabled (scripts/install-deps.sh)?" >&2; exit 1; }
tar -C "$work" -xf "$work"/qt6-base_*.orig.tar.xz
src=$(find "$work" -maxdepth 1 -type d -name 'qtbase-*' | head -n1)
tar -C "$src" -xf "$work"/qt6-base_*.debian.tar.xz
grep -v '^\s*#' "$src/debian/patches/series" | grep -v '^\s*$' | grep -vx 'cross.patch' |
    while read -r patch _; do patch -d "$src" -p1 -s <"$src/debian/patches/$patch"; done

# The toolchain file goes with the prefix: Qt's toolchain wrapper loads it from there in every later build.
# Its default architecture becomes the prefix's, so a build against this Qt needs no further flag.
sed "s/set(VANTO_MINGW_ARCH x86_64)/set(VANTO_MINGW_ARCH $arch)/" "$repo/cmake/mingw-w64-posix-shared.cmake" \
    >"$prefix/mingw-w64-posix-shared.cmake"
cmake -S "$src" -B "$work/qtbase" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-posix-shared.cmake" \
      -DVANTO_MINGW_ARCH="$arch" -DCMAKE_INSTALL_PREFIX="$prefix" \
      -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "${qtbase_options[@]}"
cmake --build "$work/qtbase" -j "$jobs"
cmake --install "$work/qtbase"

tar -C "$work" -xf "$charts_tar"
"$prefix/bin/qt-cmake" -S "$work/qtcharts-everywhere-src-$qt_version" -B "$work/qtcharts" -G Ninja \
    -DVANTO_MINGW_ARCH="$arch" -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
cmake --build "$work/qtcharts" -j "$jobs"
cmake --install "$work/qtcharts"

rm -rf "$work"
echo "$key" >"$stamp"
echo "Qt $qt_version for $arch built in $(($(date +%s) - start)) s" >&2
echo "$prefix"
