#!/usr/bin/env bash
# Builds the release preset and runs every benchmark; one line per target:
#   NAME: measured ..., target ... ok|FAIL
# Exits non-zero when any target fails.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh test || exit 1
[ -f build/release/build.ninja ] || cmake --preset release >/dev/null || exit 1
targets=(zybkotsepye bench_question_base_load bench_new_game bench_winners_window bench_minimal_window bench_minimal_text_window bench_startup
         bench_engine)
cmake --build --preset release --target "${targets[@]}" >/dev/null || exit 1

b=build/release/bench
failed=0
run() {
    "$@" || failed=1
}
run "$b/bench_question_base_load"
run "$b/engine/bench_engine"
run "$b/bench_new_game"
run "$b/bench_winners_window"
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
cp resources/Vopros.txt resources/names.txt resources/best.txt "$data"/
run xvfb-run -a -s "-screen 0 1024x768x24" "$b/bench_startup" "$root/build/release/src/zybkotsepye" "$b/bench_minimal_window" "$b/bench_minimal_text_window" "$data"

if [ $failed -ne 0 ]; then
    echo "benchmarks: some targets FAILED"
    exit 1
fi
echo "benchmarks: all targets ok"
