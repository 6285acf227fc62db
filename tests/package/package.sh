#!/usr/bin/env bash
# Makes the Debian package the way a player gets it (cpack -G DEB in a release build),
# checks what it declares and contains, runs appstreamcli and lintian on it, and starts
# the game from an unpacked copy on a virtual X screen.
#   package.sh SOURCE_DIR WORK_DIR [BUILD_DIR]
# BUILD_DIR is a release build, configured here when it is missing and brought up to date;
# without it the release build is kept in WORK_DIR/release. Either way later runs only
# rebuild what changed.
set -eu
source_dir=$(cd "$1" && pwd)
work=$2
build=${3:-$work/release}

fail() { echo "FAIL: $*" >&2; exit 1; }
# Runs a command with its output in a log, shown only when it fails.
quietly() {
    "$@" >"$work/step.log" 2>&1 || { cat "$work/step.log" >&2; fail "$*"; }
}

missing=()
for tool in cmake ninja cpack dpkg-deb dpkg-shlibdeps lintian appstreamcli readelf xvfb-run xdotool; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
[ ${#missing[@]} -eq 0 ] || fail "missing tools: ${missing[*]} (scripts/setup.sh test installs them)"

# --- the package ---
mkdir -p "$work"
if [ ! -f "$build/build.ninja" ]; then
    # What the release preset sets.
    quietly cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
fi
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
[ "$build_type" = Release ] || fail "$build is a $build_type build, not a release one"
quietly cmake --build "$build"
out=$work/out
rm -rf "$out"
quietly cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out"
debs=("$out"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made ${#debs[@]} packages: ${debs[*]}"
deb=${debs[0]}

field() { dpkg-deb --field "$deb" "$1"; }
version=$(field Version)
arch=$(dpkg --print-architecture)
project_version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ "$(basename "$deb")" = "zybkotsepye_${version}_${arch}.deb" ] || fail "package file named $(basename "$deb")"
[ "$(field Package)" = zybkotsepye ] || fail "package name $(field Package)"
[ "$(field Architecture)" = "$arch" ] || fail "architecture $(field Architecture)"
[ "$(field Section)" = games ] || fail "section $(field Section)"
case $version in "$project_version"-[0-9]*) ;; *) fail "version $version is not the project's $project_version" ;; esac
[ -n "$(field Maintainer)" ] || fail "no maintainer"
[ "$(field Description | wc -l)" -gt 2 ] || fail "no long description"
depends=$(field Depends)
depended=$(tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//')
for d in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libfontconfig1 fonts-dejavu-core; do
    grep -qxF "$d" <<<"$depended" || fail "Depends lacks $d: $depends"
done

# Every file and folder belongs to root with the usual modes; only the launcher and the
# program are executable; nothing of the plain layout (bin, libexec) leaks into the package.
executables="./usr/games/zybkotsepye ./usr/lib/games/zybkotsepye/zybkotsepye"
listing=$(dpkg-deb --contents "$deb")
while read -r mode owner _ _ _ path _; do
    [ "$owner" = root/root ] || fail "$path belongs to $owner"
    case $mode in
        d*) [ "$mode" = drwxr-xr-x ] || fail "folder $path has mode $mode" ;;
        -*) if [[ " $executables " == *" $path "* ]]; then want=-rwxr-xr-x; else want=-rw-r--r--; fi
            [ "$mode" = "$want" ] || fail "$path has mode $mode, not $want" ;;
        *) fail "$path is neither a file nor a folder: $mode" ;;
    esac
    case $path in
        ./ | ./usr/ | ./usr/share/ | ./usr/lib/ | ./usr/games/* | ./usr/lib/games/* | ./usr/share/games/* \
        | ./usr/share/applications/* | ./usr/share/icons/* | ./usr/share/metainfo/* | ./usr/share/man/* \
        | ./usr/share/doc/ | ./usr/share/doc/zybkotsepye/* | ./usr/share/lintian/*) ;;
        *) fail "unexpected path in the package: $path" ;;
    esac
done <<<"$listing"

# --- the unpacked files ---
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
dpkg -x "$deb" "$root"
for f in usr/games/zybkotsepye usr/lib/games/zybkotsepye/zybkotsepye usr/share/doc/zybkotsepye/copyright \
         usr/share/doc/zybkotsepye/changelog.Debian.gz usr/share/applications/zybkotsepye.desktop \
         usr/share/icons/hicolor/scalable/apps/zybkotsepye.svg usr/share/man/man6/zybkotsepye.6.gz; do
    [ -f "$root/$f" ] || fail "not in the package: $f"
done
for f in Vopros.txt names.txt best.txt; do
    cmp -s "$source_dir/resources/$f" "$root/usr/share/games/zybkotsepye/$f" || fail "shipped $f differs from resources/$f"
done
for binary in zybkotsepye zybkotsepye-sound.so zybkotsepye-net.so; do
    [ -f "$root/usr/lib/games/zybkotsepye/$binary" ] || fail "not in the package: $binary"
    readelf -S "$root/usr/lib/games/zybkotsepye/$binary" | grep -q '\.symtab' && fail "$binary is not stripped"
done
# The program starts without Qt Multimedia, which only the sound module brings.
readelf -d "$root/usr/lib/games/zybkotsepye/zybkotsepye" | grep -q 'NEEDED.*Multimedia' \
    && fail "the program itself needs Qt Multimedia"
# Nor with the friends' table's web server, which only its module brings.
readelf -d "$root/usr/lib/games/zybkotsepye/zybkotsepye" | grep -Eq 'NEEDED.*(WebSockets|HttpServer|qrencode)' \
    && fail "the program itself needs the friends' table's libraries"
for z in "$root"/usr/share/man/*/zybkotsepye.6.gz "$root"/usr/share/man/*/*/zybkotsepye.6.gz \
         "$root/usr/share/doc/zybkotsepye/changelog.Debian.gz"; do
    [ -e "$z" ] || continue
    gzip -t "$z" || fail "$z is not a valid gzip file"
done
changelog_version=$(zcat "$root/usr/share/doc/zybkotsepye/changelog.Debian.gz" | sed -n '1s/^zybkotsepye (\(.*\)) .*/\1/p')
[ "$changelog_version" = "$version" ] || fail "the changelog's latest entry is '$changelog_version', the package $version"

# The menu entry starts the installed launcher, and the AppStream metadata describes that entry.
desktop=$root/usr/share/applications/zybkotsepye.desktop
exec_command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$root/usr/games/$exec_command" ] || fail "the menu entry starts '$exec_command', which is not in /usr/games"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "the menu entry's icon '$icon' is not shipped"
metainfos=("$root"/usr/share/metainfo/*.metainfo.xml)
[ ${#metainfos[@]} -eq 1 ] && [ -f "${metainfos[0]}" ] || fail "expected one metainfo file, found: ${metainfos[*]}"
metainfo=${metainfos[0]}
id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
[ "$(basename "$metainfo")" = "$id.metainfo.xml" ] || fail "metainfo $(basename "$metainfo") is not named after its id $id"
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
[ "$launchable" = zybkotsepye.desktop ] || fail "the metainfo launches '$launchable'"
grep -q "<release version=\"$project_version\"" "$metainfo" || fail "the metainfo has no release $project_version"
echo "--- appstreamcli validate --no-net"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli found problems in the metainfo"

echo "--- lintian"
set +e
lint=$(lintian --display-info "$deb" 2>&1)
lint_rc=$?
set -e
echo "$lint"
grep -q '^E: ' <<<"$lint" && fail "lintian reports errors"
[ $lint_rc -le 1 ] || fail "lintian failed with $lint_rc"

# --- the unpacked game ---
# The launcher finds the program and the shipped files relative to itself, so the unpacked
# copy runs as the installed one would: it prepares a new player's folder under HOME and
# shows the main menu.
home=$scratch/home
mkdir -p "$home"
echo "--- starting the unpacked game"
(cd / && env -u ZYB_DATA_DIR -u XDG_DATA_HOME HOME="$home" QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        "$1" &
        pid=$!
        for _ in $(seq 600); do
            kill -0 "$pid" 2>/dev/null || { wait "$pid"; echo "the game ended by itself with $?" >&2; exit 1; }
            if xdotool search --onlyvisible --name "^Зыбкоцепье$" >/dev/null 2>&1; then
                kill "$pid"
                wait "$pid"
                rc=$?
                [ $rc -eq 143 ] || { echo "the game ended with $rc on SIGTERM" >&2; exit 1; }
                exit 0
            fi
            sleep 0.1
        done
        echo "no window titled Зыбкоцепье appeared in a minute" >&2
        kill "$pid"
        exit 1
    ' start "$root/usr/games/zybkotsepye") || fail "the unpacked game did not start"
for f in Vopros.txt names.txt best.txt; do
    cmp -s "$root/usr/share/games/zybkotsepye/$f" "$home/.local/share/zybkotsepye/$f" \
        || fail "the player's folder did not get $f"
done
echo "package $(basename "$deb") built, checked and started"
