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
         bench_engine bench_round_clock bench_question_editor bench_friends_table)
cmake --build --preset release --target "${targets[@]}" >/dev/null || exit 1

b=build/release/bench
failed=0
run() {
    "$@" || failed=1
}
run "$b/bench_question_base_load"
run "$b/engine/bench_engine"
run "$b/engine/bench_round_clock"
run "$b/bench_new_game"
run "$b/bench_winners_window"
run "$b/bench_question_editor"
run "$b/bench_friends_table"
data=$(mktemp -d)
big=$(mktemp -d)
trap 'rm -rf "$data" "$big"' EXIT
cp resources/Vopros.txt resources/names.txt resources/best.txt "$data"/
# The same files, with the shipped questions repeated to 100,000 for the question editor.
cp resources/names.txt resources/best.txt "$big"/
python3 - resources/Vopros.txt "$big/Vopros.txt" <<'EOF'
import sys
lines = open(sys.argv[1], "rb").read().split(b"\r\n")
blocks = [lines[i:i + 5] for i, line in enumerate(lines) if line == b"?" and i + 4 < len(lines)]
with open(sys.argv[2], "wb") as out:
    for n in range(100000):
        out.write(b"".join(line + b"\r\n" for line in blocks[n % len(blocks)]))
EOF
run xvfb-run -a -s "-screen 0 1024x768x24" "$b/bench_startup" "$root/build/release/src/zybkotsepye" "$b/bench_minimal_window" "$b/bench_minimal_text_window" "$data" "$big"

if [ $failed -ne 0 ]; then
    echo "benchmarks: some targets FAILED"
    exit 1
fi
echo "benchmarks: all targets ok"
