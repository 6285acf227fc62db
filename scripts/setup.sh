#!/usr/bin/env bash
# Installs the Debian packages the project needs, and nothing when they are all there.
#   scripts/setup.sh play   - what building and playing needs
#   scripts/setup.sh test   - the same, plus what the tests, fuzzers and benchmarks need
set -euo pipefail

play_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-multimedia-dev libgl-dev libfontconfig-dev libxcb1-dev
    fonts-dejavu-core fonts-dejavu-extra fonts-liberation2 fonts-urw-base35
    # The host's voice: Qt TextToSpeech (its header needs QtQmlIntegration from
    # qt6-declarative-dev, which Debian's qt6-speech-dev does not pull in) over
    # speech-dispatcher with the espeak-ng voices, Russian among them.
    qt6-speech-dev qt6-declarative-dev qt6-speech-speechd-plugin
    speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
    # Qt's Wayland platform, for Wayland desktops.
    qt6-wayland
    # Qt's own words (the question editor's file dialog) in Russian.
    qt6-translations-l10n
    # The friends' table: its web server, WebSockets and the QR code of its address.
    qt6-websockets-dev qt6-httpserver-dev libqrencode-dev
)
test_packages=(
    xvfb xauth xdotool x11-utils x11-xkb-utils openbox imagemagick dbus at-spi2-core python3 python3-pyatspi orca
    clang libclang-rt-14-dev libbenchmark-dev libx11-dev libxtst-dev
    dpkg-dev lintian appstream
    weston
    # Friends at the table in a real browser: headless Chromium, driven from Node.js.
    chromium
)

packages=("${play_packages[@]}")
if [ "${1:-play}" = test ]; then
    packages+=("${test_packages[@]}")
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
# Node.js drives the browser in the tests; a machine that has one already keeps it.
if [ "${1:-play}" = test ] && ! command -v node >/dev/null; then
    missing+=(nodejs)
fi
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Устанавливаю пакеты: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null; then
        sudo=(sudo)
    else
        echo "Нужны права root, чтобы установить пакеты: ${missing[*]}" >&2
        exit 1
    fi
fi
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
