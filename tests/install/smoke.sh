#!/usr/bin/env bash
# Starts the real program on a virtual X screen and waits for its main menu to appear.
#   smoke.sh PROGRAM RESOURCES_DIR
set -u
program=$1
resources=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$resources"/Vopros.txt "$resources"/names.txt "$resources"/best.txt "$dir"/
cd "$dir"
exec xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1" &
    pid=$!
    if timeout 60 xdotool search --sync --onlyvisible --name "^Зыбкоцепье$" >/dev/null; then
        echo "main menu shown"
        kill "$pid"; wait "$pid" 2>/dev/null
        exit 0
    fi
    echo "no window titled Зыбкоцепье appeared" >&2
    kill "$pid" 2>/dev/null
    exit 1
' smoke "$program"
