#!/bin/sh
# Builds the libFuzzer targets (preset "fuzz": clang, ASan, UBSan) and runs each one for
# N seconds (default 20): scripts/fuzz.sh 600 runs every target for ten minutes.
# The seeds are fuzz/corpus/<target>/ plus the shipped data files; what the fuzzer adds
# goes to build/fuzz/corpus/, crashes to build/fuzz/artifacts/<target>/.
# Exits non-zero when any target crashes.
set -eu

seconds=${1:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

targets="fuzz_line_store fuzz_question_base fuzz_winners_records"

cmake --preset fuzz >/dev/null
# shellcheck disable=SC2086
cmake --build --preset fuzz --target $targets

# The shipped data files that seed each target, when they exist.
seeds_for() {
    case $1 in
        fuzz_line_store) echo resources/Vopros.txt resources/names.txt resources/best.txt ;;
        fuzz_question_base) echo resources/Vopros.txt ;;
        fuzz_winners_records) echo resources/best.txt ;;
    esac
}

failed=""
for target in $targets; do
    work="build/fuzz/corpus/$target"
    artifacts="build/fuzz/artifacts/$target"
    mkdir -p "$work" "$artifacts"
    for seed in $(seeds_for "$target"); do
        if [ -f "$seed" ]; then
            cp "$seed" "$work/shipped-$(basename "$seed")"
        fi
    done
    echo "== $target: $seconds s"
    if ! ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "build/fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$work" "fuzz/corpus/$target"; then
        echo "!! $target found a fault; the input is in $artifacts/" >&2
        failed="$failed $target"
    fi
done

if [ -n "$failed" ]; then
    echo "fuzzing failed:$failed" >&2
    exit 1
fi
echo "fuzzing passed: every target ran $seconds s without a fault"
