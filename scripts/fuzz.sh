#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (and ASan/UBSan) in build-fuzz/ and runs each for a while. Inputs
# that reach new code go into fuzz/corpus/<target>/, which the normal build replays as tests. A crash stops the
# script with the target's report and the input in build-fuzz/findings/.
# Usage: scripts/fuzz.sh [seconds-per-target] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh fuzz
seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(answer_checks record_directory profile_file sjis legacy_import continuous_parse reference_files)
fi

flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -g -O1"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_C_FLAGS="$flags" -DVANTO_FUZZ=ON -DVANTO_BUILD_TESTS=OFF \
      -DVANTO_BUILD_BENCH=OFF -DVANTO_WITH_PTRASSIST=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

mkdir -p build-fuzz/findings
for target in "${targets[@]}"; do
    corpus=fuzz/corpus/$target
    mkdir -p "$corpus"
    echo "== $target: ${seconds}s, corpus $(ls "$corpus" | wc -l) inputs"
    build-fuzz/fuzz/fuzz_"$target" -max_total_time="$seconds" -max_len=70000 -timeout=20 -rss_limit_mb=2048 \
        -artifact_prefix=build-fuzz/findings/"$target"- -print_final_stats=1 "$corpus" 2>&1 |
        grep -E 'stat::number_of_executed_units|stat::average_exec_per_sec|stat::new_units_added|ERROR|SUMMARY|Done' || true
    if ls build-fuzz/findings/"$target"-* >/dev/null 2>&1; then
        echo "$target: found inputs in build-fuzz/findings/" >&2
        exit 1
    fi
    echo "   corpus now $(ls "$corpus" | wc -l) inputs"
done
