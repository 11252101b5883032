#!/usr/bin/env bash
# Installs what is missing, builds everything with tests and -Werror, runs every test and prints ctest's summary.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test
scripts/install-deps.sh windows

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTO_BUILD_TESTS=ON -DVANTO_WERROR=ON \
      -DVANTO_WINE_TESTS=ON
cmake --build build -j "$jobs"
if [ -x ptrassist/build-windows.sh ]; then
    ptrassist/build-windows.sh build
fi
# The Qt-free core and its tests for Windows; ctest runs them under Wine (VANTO_WINE_TESTS).
scripts/build-windows-core.sh build
# The whole x86_64 Windows program (against a Qt cross-built once into /var/cache/vantodesk), every test program
# and the installer; ctest runs them under Wine too. The i686 build runs through scripts/test-windows-app.sh.
scripts/build-windows-app.sh build x86_64
scripts/build-installer.sh build x86_64

cd build
set +e
QT_QPA_PLATFORM=offscreen ctest -j "$jobs" --output-on-failure --timeout 300 | tee ctest.log
exit "${PIPESTATUS[0]}"
