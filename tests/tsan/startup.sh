#!/usr/bin/env bash
# The program's start-up under ThreadSanitizer: starts it STARTS times on a virtual X screen
# with a window manager and a session bus, each time to its main menu, and closes the menu
# as a player does (Alt+F4). Fails on any ThreadSanitizer report, a menu that does not show
# or a program that does not end cleanly. The first start is a new player's (no settings yet).
#   startup.sh PROGRAM RESOURCES_DIR SUPPRESSIONS [STARTS]
set -u
program=$(readlink -f "$1")
resources=$2
suppressions=$(readlink -f "$3")
starts=${4:-3}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/home" "$dir/data"
cp "$resources"/Vopros.txt "$resources"/names.txt "$resources"/best.txt "$dir/data"/
export HOME="$dir/home" XDG_CONFIG_HOME= XDG_DATA_HOME= QT_QPA_PLATFORM=xcb
export TSAN_OPTIONS="suppressions=$suppressions second_deadlock_stack=1 exitcode=66"
command -v llvm-symbolizer >/dev/null && TSAN_OPTIONS+=" external_symbolizer_path=$(command -v llvm-symbolizer)"
# ThreadSanitizer of LLVM 14 stops at once ("unexpected memory mapping") on kernels that spread
# memory mappings wider than it expects (vm.mmap_rnd_bits above 28); without address space
# randomisation, where the system allows turning it off, it runs anywhere.
run=()
setarch "$(uname -m)" -R true 2>/dev/null && run=(setarch "$(uname -m)" -R)
export ZYB_RUN="${run[*]}"
exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    program=$1 starts=$2 log=$3
    openbox --sm-disable >/dev/null 2>&1 &
    for i in $(seq 1 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.2; done
    failed=0
    for i in $(seq 1 "$starts"); do
        (cd "$HOME/../data" && exec $ZYB_RUN "$program") 2>"$log" &
        pid=$!
        window=
        for t in $(seq 1 600); do
            kill -0 "$pid" 2>/dev/null || break
            window=$(xdotool search --onlyvisible --name "^Зыбкоцепье$" 2>/dev/null | head -1)
            [ -n "$window" ] && break
            sleep 0.2
        done
        if [ -n "$window" ]; then
            sleep 1
            xdotool windowactivate --sync "$window" key alt+F4
            for t in $(seq 1 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
            if kill -0 "$pid" 2>/dev/null; then
                echo "start $i: the program still runs 30 s after its menu was closed"
                kill -9 "$pid"
                failed=1
            fi
        else
            echo "start $i: no main menu (the program ended, or 120 s passed)"
            kill -9 "$pid" 2>/dev/null
            failed=1
        fi
        wait "$pid"
        status=$?
        if [ "$status" -ne 0 ] || grep -q "ThreadSanitizer" "$log"; then
            echo "start $i: exit status $status"
            grep -v "^QStandardPaths: " "$log"
            failed=1
        else
            echo "start $i: menu shown and closed, no ThreadSanitizer report"
        fi
    done
    exit $failed
' startup "$program" "$starts" "$dir/stderr"
