#!/usr/bin/env bash
# Formats the C++ sources with the project's .clang-format, using the clang-format that Debian 12 ships (14).
# Usage: scripts/format.sh           formats every file in place
#        scripts/format.sh --check   changes nothing; fails and names the files that are not formatted
set -euo pipefail
cd "$(dirname "$0")/.."
tool=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$tool" ]; then
    echo "clang-format is not installed (scripts/install-deps.sh test installs it)" >&2
    exit 1
fi
mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' \
                         'tester-emulator/*.cpp' 'tester-emulator/*.h' 'ptrassist/*.cpp' 'ptrassist/*.h' \
                         'fuzz/*.cpp' 'fuzz/*.h' 2>/dev/null || true)
[ ${#files[@]} -eq 0 ] && exit 0
if [ "${1:-}" = "--check" ]; then
    bad=()
    for f in "${files[@]}"; do
        [ -f "$f" ] || continue
        if ! "$tool" --style=file "$f" | cmp -s - "$f"; then
            bad+=("$f")
        fi
    done
    if [ ${#bad[@]} -gt 0 ]; then
        printf 'not formatted (run scripts/format.sh): %s\n' "${bad[@]}" >&2
        exit 1
    fi
    echo "all ${#files[@]} files formatted"
else
    "$tool" --style=file -i "${files[@]}"
fi
