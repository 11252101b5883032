#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (and ASan/UBSan) in build-fuzz/ and runs each for a while, starting
# from the inputs in fuzz/corpus/<target>/, which the normal build replays as tests. A run leaves that corpus as it
# is: inputs that reach new code go to build-fuzz/corpus/<target>/ (outside the tracked tree), and only --merge adds
# those that still bring new coverage to fuzz/corpus/<target>/. A crash, a time-out or an input that makes a parser
# take more memory than the limits below stops the script with the target's report and the input in
# build-fuzz/findings/.
# Usage: scripts/fuzz.sh [--merge] [seconds-per-target] [target...]   (0 seconds with --merge: only merge)
set -euo pipefail
cd "$(dirname "$0")/.."

merge=false
args=()
for arg in "$@"; do
    if [ "$arg" = --merge ]; then
        merge=true
    else
        args+=("$arg")
    fi
done
set -- ${args[@]+"${args[@]}"}
seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(answer_checks record_directory profile_file sjis legacy_import continuous_parse reference_files)
fi

scripts/install-deps.sh fuzz
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -g -O1"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_C_FLAGS="$flags" -DVANTO_FUZZ=ON -DVANTO_BUILD_TESTS=OFF \
      -DVANTO_BUILD_BENCH=OFF -DVANTO_WITH_PTRASSIST=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

# Inputs up to 1 MB, so a file of one very wide line and many short ones can be made; a parser whose memory grows
# with rows times columns rather than with its input exceeds the limits long before that.
limits=(-max_len=1048576 -timeout=20 -rss_limit_mb=512 -malloc_limit_mb=256)
mkdir -p build-fuzz/findings
for target in "${targets[@]}"; do
    corpus=fuzz/corpus/$target
    finds=build-fuzz/corpus/$target
    mkdir -p "$corpus" "$finds"
    if [ "$seconds" -gt 0 ]; then
        echo "== $target: ${seconds}s, corpus $(ls "$corpus" | wc -l) inputs, finds in $finds"
        # The first folder receives what the fuzzer finds (and the reduced forms of its inputs); the tracked corpus
        # is only read.
        build-fuzz/fuzz/fuzz_"$target" -max_total_time="$seconds" "${limits[@]}" \
            -artifact_prefix=build-fuzz/findings/"$target"- -print_final_stats=1 "$finds" "$corpus" 2>&1 |
            grep -E 'stat::number_of_executed_units|stat::average_exec_per_sec|stat::new_units_added|stat::peak_rss_mb|ERROR|SUMMARY|Done' ||
            true
        if ls build-fuzz/findings/"$target"-* >/dev/null 2>&1; then
            echo "$target: found inputs in build-fuzz/findings/" >&2
            exit 1
        fi
        echo "   finds now $(ls "$finds" | wc -l) inputs"
    fi
    if $merge; then
        before=$(ls "$corpus" | wc -l)
        log=build-fuzz/findings/merge-"$target".log
        build-fuzz/fuzz/fuzz_"$target" -merge=1 "${limits[@]}" "$corpus" "$finds" >"$log" 2>&1 ||
            { echo "$target: the merge failed, see $log" >&2; exit 1; }
        echo "   merged into $corpus: $before -> $(ls "$corpus" | wc -l) inputs"
    fi
done
