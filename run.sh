#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program with the emulated tester.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh run

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target vantodesk uusbqk
# The program keeps its data beside itself, as on a fresh install.
if [ -z "${UUSBQK_EMULATOR_SCENARIO:-}" ] && [ -f tester-emulator/scenarios/demo.json ]; then
    export UUSBQK_EMULATOR_SCENARIO="$PWD/tester-emulator/scenarios/demo.json"
fi
cd build/bin
exec ./vantodesk "$@"
