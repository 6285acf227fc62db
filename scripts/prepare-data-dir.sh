#!/usr/bin/env bash
# Prepares the player's folder for the game's data files and prints its path.
#   scripts/prepare-data-dir.sh SHIPPED_DIR
# The shipped files are copied only where the player has none: a player's questions,
# names and winners are never overwritten.
set -euo pipefail
shipped=$1
dir="${ZYB_DATA_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/zybkotsepye}"
mkdir -p "$dir"
for f in Vopros.txt names.txt best.txt; do
    if [ ! -e "$dir/$f" ]; then
        cp "$shipped/$f" "$dir/$f"
    fi
done
echo "$dir"
