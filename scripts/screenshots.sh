#!/usr/bin/env bash
# Renders the four windows to PNG files (default: docs/screenshots) for the README.
#   scripts/screenshots.sh [OUTPUT_DIR [PROGRAM]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/docs/screenshots}
program=${2:-}
if [ -z "$program" ]; then
    cd "$root"
    [ -f build/debug/build.ninja ] || cmake --preset debug >/dev/null
    cmake --build --preset debug --target zyb_screenshots >/dev/null
    program=$root/build/debug/tests/app/zyb_screenshots
fi
QT_QPA_PLATFORM=offscreen "$program" "$out" "$root/resources"
echo "$out: $(cd "$out" && ls ./*.png | tr '\n' ' ')"
