#!/usr/bin/env bash
# Installs the build into a scratch prefix, checks what lands there, and starts the
# installed launcher the way a desktop menu does: the player's folder gets the shipped
# files once, and a player's own files are never overwritten.
#   install.sh BUILD_DIR
set -eu
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/zybkotsepye libexec/zybkotsepye/zybkotsepye share/zybkotsepye/Vopros.txt share/zybkotsepye/names.txt \
         share/zybkotsepye/best.txt share/applications/zybkotsepye.desktop share/icons/hicolor/scalable/apps/zybkotsepye.svg; do
    [ -e "$prefix/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done
grep -q '^Exec=zybkotsepye$' "$prefix/share/applications/zybkotsepye.desktop"
# The sound module beside the program; the program itself starts without Qt Multimedia.
[ -f "$prefix/libexec/zybkotsepye/zybkotsepye-sound.so" ] || { echo "not installed: the sound module" >&2; exit 1; }
[ -f "$prefix/libexec/zybkotsepye/zybkotsepye-net.so" ] || { echo "not installed: the friends' table module" >&2; exit 1; }
if readelf -d "$prefix/libexec/zybkotsepye/zybkotsepye" | grep -q 'NEEDED.*Multimedia'; then
    echo "the program itself needs Qt Multimedia" >&2; exit 1
fi

start() {
    # The game runs until it is stopped: still running after a few seconds is a success.
    set +e
    (cd / && ZYB_DATA_DIR="$scratch/player" QT_QPA_PLATFORM=offscreen timeout 5 "$prefix/bin/zybkotsepye")
    rc=$?
    set -e
    [ $rc -eq 124 ] || { echo "the installed game ended with $rc" >&2; exit 1; }
}
start
for f in Vopros.txt names.txt best.txt; do
    cmp -s "$prefix/share/zybkotsepye/$f" "$scratch/player/$f" || { echo "not prepared: $f" >&2; exit 1; }
done
# A copy cut short before: its half file is replaced, and no temporary file stays.
rm "$scratch/player/best.txt"
head -c 3 "$prefix/share/zybkotsepye/best.txt" > "$scratch/player/.best.txt.new"
start
cmp -s "$prefix/share/zybkotsepye/best.txt" "$scratch/player/best.txt" || { echo "best.txt not prepared whole" >&2; exit 1; }
[ -z "$(find "$scratch/player" -name '.*.new')" ] || { echo "a temporary copy stayed behind" >&2; exit 1; }
echo "Игрок" > "$scratch/player/names.txt"
start
[ "$(cat "$scratch/player/names.txt")" = "Игрок" ] || { echo "a player's file was overwritten" >&2; exit 1; }
echo "installed and started"
