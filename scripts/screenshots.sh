#!/usr/bin/env bash
# Takes the README's pictures of the four windows from a real screen: the acceptance suite
# plays the installed game on a virtual X server and saves each window as it shows it.
#   scripts/screenshots.sh [OUTPUT_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/docs/screenshots}
cd "$root"
scripts/setup.sh test
[ -f build/debug/build.ninja ] || cmake --preset debug >/dev/null
cmake --build --preset debug >/dev/null
dbus-run-session -- /usr/bin/python3 tests/acceptance/run.py build/debug --screenshots "$out"
echo "$out: $(cd "$out" && ls ./*.png | tr '\n' ' ')"
