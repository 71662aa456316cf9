#!/usr/bin/env bash
# Builds the Debian package with cpack and lists its files and dependencies.
# Usage: deb_test.sh BUILD_FOLDER
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && cpack -G DEB -B "$out" >/dev/null) || fail "cpack could not build the package"
deb=$(ls "$out"/*.deb)
echo "Package: $(basename "$deb")"
dpkg-deb -c "$deb" | awk '{print $6}' | tee "$out/files.txt"
depends=$(dpkg-deb -f "$deb" Depends)
recommends=$(dpkg-deb -f "$deb" Recommends)
echo "Depends: $depends"
echo "Recommends: $recommends"
for file in ./usr/bin/tunevault ./usr/share/applications/org.tunevault.Tunevault.desktop \
    ./usr/share/metainfo/org.tunevault.Tunevault.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/org.tunevault.Tunevault.svg; do
    grep -qx "$file" "$out/files.txt" || fail "the package lacks $file"
done
for package in libqt6widgets6 libqt6dbus6 libgstreamer1.0-0 gstreamer1.0-plugins-base \
    gstreamer1.0-plugins-good; do
    [[ "$depends" == *"$package"* ]] || fail "Depends lacks $package"
done
for package in gstreamer1.0-alsa gstreamer1.0-plugins-bad; do
    [[ "$recommends" == *"$package"* ]] || fail "Recommends lacks $package"
done
echo "PASS: the package holds the program and its desktop files, with its dependencies"
