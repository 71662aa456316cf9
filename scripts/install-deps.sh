#!/usr/bin/env bash
# Installs the Debian packages Tunevault needs to build, run and test.
# Quick when everything is already there: only missing packages are fetched.
set -euo pipefail

packages=(
    build-essential cmake pkg-config dpkg-dev
    qt6-base-dev qt6-qpa-plugins libgl-dev
    libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
    gstreamer1.0-tools
    gstreamer1.0-alsa gstreamer1.0-pulseaudio
    googletest libgtest-dev libgmock-dev libbenchmark-dev libx11-dev
    fonts-dejavu-core xvfb xauth xdotool imagemagick lame sox clang-format
    dbus-daemon playerctl pulseaudio pulseaudio-utils desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
