#!/usr/bin/env bash
# Installs the Debian packages that Tunevault needs, for one use:
#   run      building and running the program (the default);
#   package  that, and building its Debian package;
#   test     that, and building and running the tests;
#   bench    the same as test: the benchmarks use the same tools.
# Quick when everything is already there: only missing packages are fetched.
# No sound server is installed for running: the desktop has its own.
# libc6-dbg names the loader's functions in leak reports, which the test
# suppressions match by name (tests/lsan.supp).
set -euo pipefail

run=(
    make build-essential cmake pkg-config
    qt6-base-dev qt6-qpa-plugins libgl-dev
    libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
    gstreamer1.0-alsa gstreamer1.0-pulseaudio fonts-dejavu-core libfontconfig-dev libxcb1-dev
)
package=(dpkg-dev)
test=(
    googletest libgtest-dev libgmock-dev libbenchmark-dev libx11-dev gstreamer1.0-tools
    xvfb xauth xdotool x11-utils wmctrl openbox imagemagick lame sox clang-format file
    dbus-daemon playerctl pulseaudio pulseaudio-utils desktop-file-utils appstream
    tint2 python3-xlib python3-gi shellcheck libc6-dbg at-spi2-core python3-pyatspi
)

case "${1:-run}" in
run) packages=("${run[@]}") ;;
package) packages=("${run[@]}" "${package[@]}") ;;
test | bench) packages=("${run[@]}" "${package[@]}" "${test[@]}") ;;
*)
    echo "usage: $0 [run|package|test|bench]" >&2
    exit 2
    ;;
esac

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
