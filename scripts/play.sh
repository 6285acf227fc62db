#!/usr/bin/env bash
# Sets everything up and starts the game.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh play
[ -f build/release/build.ninja ] || cmake --preset release
cmake --build --preset release

data=$(scripts/prepare-data-dir.sh "$root/resources")

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Нет экрана (DISPLAY не задан): игру можно запустить только в графическом сеансе. Файлы игры готовы в $data" >&2
    exit 1
fi
cd "$data"
exec "$root/build/release/src/zybkotsepye"
