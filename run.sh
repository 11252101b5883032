#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program with the emulated tester.
#
# The demo keeps its data outside build/, in ./data (or $VANTO_DEMO_DATA), so a clean build never removes it: the
# first run writes VANTO_DATA.ini beside the program, pointing there. Delete that file to start afresh elsewhere.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh run

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target vantodesk uusbqk

data="${VANTO_DEMO_DATA:-$PWD/data}"
config=build/bin/VANTO_DATA.ini
if [ ! -f "$config" ]; then
    mkdir -p "$data/owner" "$data/users"
    printf '[OWNER]\r\nDIR=%s/owner/\r\n[USERS]\r\nDIR=%s/users/\r\n[STR_DIC]\r\nFILE=%s/owner/str_dic.txt\r\n' \
        "$data" "$data" "$data" >"$config"
    echo "Data folders: $data (named in $config)"
fi
if [ -z "${UUSBQK_EMULATOR_SCENARIO:-}" ] && [ -f tester-emulator/scenarios/demo.json ]; then
    export UUSBQK_EMULATOR_SCENARIO="$PWD/tester-emulator/scenarios/demo.json"
fi
cd build/bin
exec ./vantodesk "$@"
