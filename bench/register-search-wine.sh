#!/usr/bin/env bash
# bench_register_search (the customer search over 10,000 customers) natively and, cross-built, under Wine for each
# Windows build that exists in BUILD_ROOT. Google Benchmark comes from Debian's source package, fetched once into
# the Qt cache folder and built for the target. A measurement, not a test.
# Usage: bench/register-search-wine.sh BUILD_ROOT [BENCHMARK_ARGS...]
#        (--benchmark_filter=BM_SearchIncludeVehicles leaves out the slow reference reader)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
root=$(cd "$1" && pwd)
shift
cache=${VANTO_QT_CACHE:-/var/cache/vantodesk}
version=$(dpkg-query -W -f='${Version}' libbenchmark-dev)
source=$cache/benchmark-${version%%-*}
if [ ! -f "$source/CMakeLists.txt" ]; then
    mkdir -p "$cache/benchmark-download"
    (cd "$cache/benchmark-download" && apt-get source --download-only "benchmark=$version" >/dev/null 2>&1) ||
        { echo "apt-get source benchmark=$version failed: scripts/install-deps.sh windows adds the source entries" >&2; exit 1; }
    mkdir -p "$source"
    tar -C "$source" --strip-components=1 -xf "$cache"/benchmark-download/benchmark_*.orig.tar.gz
    rm -rf "$cache/benchmark-download"
fi

echo "== Linux"
[ -x "$root/bench/bench_register_search" ] || cmake --build "$root" --target bench_register_search >/dev/null
"$root/bench/bench_register_search" "$@"
for arch in x86_64 i686; do
    dir=$root/windows-app-$arch
    [ -f "$dir/build.ninja" ] || continue
    # The app build's configuration with the benchmarks on, for this one target.
    cmake -S "$repo" -B "$dir" -DVANTO_BUILD_BENCH=ON -DVANTO_BENCHMARK_SOURCE="$source" >/dev/null
    cmake --build "$dir" --target bench_register_search >/dev/null
    cmake -S "$repo" -B "$dir" -DVANTO_BUILD_BENCH=OFF >/dev/null # the build stays as the tests expect it
    cp "$dir/tests/"*.dll "$dir/bench/" 2>/dev/null || true
    echo "== Windows $arch under Wine"
    if [ "$arch" = i686 ]; then
        wine=/usr/lib/wine/wine
        "$wine" --version >/dev/null 2>&1 || { echo "skipped: this kernel cannot run 32-bit programs"; continue; }
        unset WINELOADER
    else
        wine=/usr/lib/wine/wine64
        export WINELOADER=$wine
    fi
    WINEPREFIX=$root/wineprefix WINEDEBUG=-all WINEARCH=win64 "$wine" "$dir/bench/bench_register_search.exe" "$@" |
        tr -d '\r'
done
