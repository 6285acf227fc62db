#!/usr/bin/env bash
# Sets everything up and starts the game.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh play
[ -f build/release/build.ninja ] || cmake --preset release
cmake --build --preset release
# The same installation a desktop menu starts: its launcher copies the shipped data files
# into the player's folder where they are missing, and starts the game there.
cmake --install build/release --prefix build/release/stage >/dev/null

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Нет экрана (DISPLAY не задан): игру можно запустить только в графическом сеансе." >&2
    exit 1
fi
exec build/release/stage/bin/zybkotsepye "$@"
