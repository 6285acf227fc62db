#!/usr/bin/env bash
# Sets everything up and runs every test:
#   - one test build under AddressSanitizer and UndefinedBehaviorSanitizer (preset sanitize)
#     runs every CTest test, the suites that play the installed game on a desktop among them;
#   - the release build (build/release, the one scripts/play.sh plays) makes the Debian
#     package that PackageTest checks;
#   - the program's start-up under ThreadSanitizer (preset tsan);
#   - each fuzz target briefly (scripts/fuzz.sh, ZYB_FUZZ_SECONDS seconds each, 12 by default).
#
# The desktop suites (AcceptanceTest at 100 % and at 200 %, ScreenReaderTest, WaylandTest, and
# friends at the table in a browser and under load, BrowserTest and FriendsLoadTest) play on
# the real clock and take little of the processor, three at a time. They start as soon as the game itself is built, and the rest
# of the work runs beside them in two lines: the builds and the fuzzers at nice 15, so that
# whenever a test wants a core it gets it at once, and the other tests at normal priority,
# one at a time (some of them time what they drive, as the desktop suites do). SoakTest
# keeps both cores busy itself: it runs last, alone. Each step's output is kept in
# build/test-logs/ and shown when the step ends. The last line counts the tests:
# "tests: N passed, M failed"; the exit status is 0 only when every step passed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh test

logs=build/test-logs
rm -rf "$logs"
mkdir -p "$logs/all"
began=$SECONDS
own_niceness=$(nice)

# Prints a line with the time since the start; one writer at a time.
say() {
    {
        flock 9
        clock "$*"
    } 9>"$logs/.print"
}
clock() {
    local elapsed=$((SECONDS - began))
    printf '[%2d:%02d] %s\n' $((elapsed / 60)) $((elapsed % 60)) "$1"
}

# The processor time of this shell's children so far, in seconds, from the second line of
# `times` (which has to run in this shell itself: a subshell has no children yet).
processor_seconds() {
    times >"$logs/.times.$BASHPID"
    awk 'NR == 2 { t = 0; for (i = 1; i <= 2; i++) { split($i, p, /[ms]/); t += p[1] * 60 + p[2] } printf "%.0f", t }' \
        "$logs/.times.$BASHPID" 2>/dev/null
}

# step NICENESS NAME COMMAND...: runs the command that much nicer than this script, with its
# output in $logs/NAME.log, shows that log when it ends, and records the outcome. Fails when
# the command fails.
step() {
    local niceness=$1 name=$2 rc=0 started=$SECONDS
    shift 2
    say "$name: started"
    (
        if [ "$niceness" -gt 0 ]; then
            renice -n $((own_niceness + niceness < 19 ? own_niceness + niceness : 19)) -p $BASHPID >/dev/null
        fi
        status=0
        "$@" || status=$?
        processor_seconds >"$logs/$name.cpu"
        exit $status
    ) >"$logs/$name.log" 2>&1 || rc=$?
    local took
    took="in $((SECONDS - started)) s, $(cat "$logs/$name.cpu" 2>/dev/null || echo ?) s of processor time"
    {
        flock 9
        if [ $rc -eq 0 ]; then
            clock "$name: passed $took"
        else
            clock "$name: FAILED (exit status $rc) $took; its output:"
        fi
        # A build's output only when it failed; a test's always, it is short.
        case $name in build-* | configure-*) [ $rc -eq 0 ] || cat "$logs/$name.log" ;; *) cat "$logs/$name.log" ;; esac
    } 9>"$logs/.print"
    echo "$rc" >"$logs/$name.status"
    return $rc
}

configure() {
    [ -f "build/$1/build.ninja" ] || cmake --preset "$1"
}

# tests NAME PRESET CTEST_OPTIONS...: a CTest run at normal priority, as a step; the whole
# output of every test it runs goes to $logs/all/NAME.log.
tests() {
    local name=$1 preset=$2
    shift 2
    step 0 "$name" ctest --preset "$preset" --no-tests=error --output-log "$logs/all/$name.log" "$@"
}

# The suites on the desktop need only the game (with its sound and network modules) and the
# friends' table's host (and its crowd, for the load test), built first at full speed.
step 0 configure-sanitize configure sanitize
step 0 build-sanitize-game cmake --build --preset sanitize --target zybkotsepye zybkotsepye-sound zybkotsepye-net \
    zyb_friends_host zyb_table_crowd

# Beside them: the rest of the test build, its other tests and the fuzzers ...
(
    step 15 build-sanitize cmake --build --preset sanitize
    tests ctest-sanitize-unit sanitize -LE 'acceptance|package' || true
    step 15 fuzz scripts/fuzz.sh "${ZYB_FUZZ_SECONDS:-12}" || true
) &
tests_line=$!
# ... and the release build with the package made from it, and the ThreadSanitizer build.
# A failed build stops its line; a failed test does not.
(
    step 15 configure-release configure release
    step 15 build-release cmake --build --preset release
    tests ctest-sanitize-package sanitize -R '^PackageTest$' || true
    step 15 configure-tsan configure tsan
    step 15 build-tsan cmake --build --preset tsan --target zybkotsepye
    tests ctest-tsan tsan || true
) &
builds_line=$!

tests ctest-sanitize-desktop sanitize -j3 -L acceptance -E '^SoakTest$' || true
wait "$tests_line" || true
wait "$builds_line" || true
# Alone: its busy loops would slow any test beside it.
tests ctest-sanitize-soak sanitize -R '^SoakTest$' || true

# The counts: each CTest run's own summary, and a fuzz target a test.
passed=0
failed=0
for log in "$logs"/ctest-*.log; do
    summary=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p' "$log" | tail -1)
    if [ -n "$summary" ]; then
        read -r f t <<<"$summary"
        passed=$((passed + t - f))
        failed=$((failed + f))
    fi
done
fuzz_targets=3
if [ -f "$logs/fuzz.status" ]; then
    fuzz_failed=$(sed -n 's/^fuzzing failed://p' "$logs/fuzz.log" | wc -w)
    # Failed before any target ran (its build): none of them counts as passed.
    [ "$(cat "$logs/fuzz.status")" = 0 ] || [ "$fuzz_failed" -gt 0 ] || fuzz_failed=$fuzz_targets
    passed=$((passed + fuzz_targets - fuzz_failed))
    failed=$((failed + fuzz_failed))
fi

# Every step that did not pass, builds and steps that never ran included.
broken=()
for name in configure-sanitize build-sanitize-game build-sanitize ctest-sanitize-unit configure-release build-release \
            ctest-sanitize-package configure-tsan build-tsan ctest-tsan fuzz ctest-sanitize-desktop ctest-sanitize-soak; do
    if [ ! -f "$logs/$name.status" ]; then
        broken+=("$name (not run)")
    elif [ "$(cat "$logs/$name.status")" != 0 ]; then
        broken+=("$name")
    fi
done
processor_seconds >"$logs/.total"
say "done in $(((SECONDS - began) / 60)) min $(((SECONDS - began) % 60)) s, $(cat "$logs/.total") s of processor time; logs in $logs/"
if [ ${#broken[@]} -gt 0 ]; then
    echo "steps that failed: ${broken[*]}"
    [ "$failed" -gt 0 ] || failed=1
fi
echo "tests: $passed passed, $failed failed"
[ ${#broken[@]} -eq 0 ]
