#!/bin/sh
# Builds the libFuzzer targets (preset "fuzz": clang, ASan, UBSan) and runs each one for
# N seconds (default 20): scripts/fuzz.sh 600 runs every target for ten minutes.
# Before fuzzing, each target reads the shipped data files whole once, as regression inputs.
# The seeds are fuzz/corpus/<target>/ plus the first bytes of the shipped files; what the
# fuzzer adds goes to build/fuzz/corpus/, crashes to build/fuzz/artifacts/<target>/, the
# fuzzer's own output to build/fuzz/logs/<target>.log. Prints every target's runs and runs
# per second. Exits non-zero when any target crashes or finds a leak or undefined behaviour.
set -eu

seconds=${1:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

targets="fuzz_line_store fuzz_question_base fuzz_winners_records"

cmake --preset fuzz >/dev/null
# shellcheck disable=SC2086
cmake --build --preset fuzz --target $targets

# The longest input the fuzzer makes. Without it libFuzzer takes the size of the largest
# seed, the 347 KB question base, and spends its time on inputs that long: a few dozen
# runs a second. Each limit is what the target's format needs to show its cases, with room.
max_len_for() {
    case $1 in
        # Encoding detection and line splitting work on a few bytes at a time: a byte order
        # mark (3), a UTF-8 character (up to 4), a line end (1 or 2). The longest line of the
        # shipped files is 127 bytes: 1 KB holds several such lines, mixed line ends and a
        # mix of UTF-8 and Windows-1251 bytes placed anywhere.
        fuzz_line_store) echo 1024 ;;
        # Blocks of five lines, about 95 bytes on average and some 650 at most. The faults lie
        # where blocks meet (a marker inside a block, a block cut at the end, markers in a
        # row): 2 KB holds three of the longest blocks or about twenty ordinary ones.
        fuzz_question_base) echo 2048 ;;
        # Records of five lines, about 50 bytes ("!", a name, the amount, a date, a time).
        # The faults lie where records meet and in dates (a record cut short, a marker where
        # the time should be, the same date in several records, the list cut in half):
        # 1 KB holds about twenty records. Each date is parsed under three locales, which
        # makes this the slowest target: more room would slow it further.
        fuzz_winners_records) echo 1024 ;;
    esac
}

# The shipped data files each target reads. They run whole once as regression inputs;
# their first max_len bytes also seed the fuzzer.
shipped_for() {
    case $1 in
        fuzz_line_store) echo resources/Vopros.txt resources/names.txt resources/best.txt ;;
        fuzz_question_base) echo resources/Vopros.txt ;;
        fuzz_winners_records) echo resources/best.txt ;;
    esac
}

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# Shows the end of a failed run's log, where the sanitizer's report is.
report() {
    tail -n 80 "$1" >&2
    echo "!! $2 found a fault (log: $1); $3" >&2
}

failed=""
for target in $targets; do
    binary="build/fuzz/fuzz/$target"
    work="build/fuzz/corpus/$target"
    artifacts="build/fuzz/artifacts/$target"
    log="build/fuzz/logs/$target.log"
    max_len=$(max_len_for "$target")
    mkdir -p "$work" "$artifacts" "build/fuzz/logs"
    # Whole copies of the shipped files, and inputs grown from them, left by older versions
    # of this script: libFuzzer would read only their first max_len bytes.
    rm -f "$work"/shipped-*
    find "$work" -type f -size +"$max_len"c -delete

    shipped=""
    for file in $(shipped_for "$target"); do
        if [ -f "$file" ]; then
            shipped="$shipped $file"
            head -c "$max_len" "$file" >"$work/head-of-$(basename "$file")"
        fi
    done

    # A file argument makes libFuzzer run the target on the whole file once (no -max_len
    # here: it would cut the file).
    : >"$log"
    if [ -n "$shipped" ]; then
        echo "== $target: regression inputs:$shipped"
        # shellcheck disable=SC2086
        if ! "$binary" -timeout=30 $shipped >>"$log" 2>&1; then
            report "$log" "$target" "the input is one of:$shipped"
            failed="$failed $target"
            continue
        fi
    fi

    echo "== $target: fuzzing $seconds s, -max_len=$max_len"
    if ! "$binary" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$work" "fuzz/corpus/$target" >>"$log" 2>&1; then
        report "$log" "$target" "the input is in $artifacts/"
        failed="$failed $target"
        continue
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    echo "$target: $runs runs in $seconds s, $rate runs/s"
    if [ "${rate:-0}" -lt 1000 ]; then
        echo "   (under 1000 runs/s: a busy machine, or inputs that got slow; see $log)"
    fi
done

if [ -n "$failed" ]; then
    echo "fuzzing failed:$failed" >&2
    exit 1
fi
echo "fuzzing passed: every target read the shipped files and ran $seconds s without a fault"
