#!/usr/bin/env bash
# Sets everything up and runs every test: the debug build, the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, and each fuzz target briefly.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh test

for preset in debug sanitize; do
    echo "=== $preset ==="
    [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset" -j2
done

if [ -x scripts/fuzz.sh ]; then
    echo "=== fuzz ==="
    scripts/fuzz.sh "${ZYB_FUZZ_SECONDS:-20}"
fi
