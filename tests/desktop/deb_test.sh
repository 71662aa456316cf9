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

# Ready to ship: a stripped binary, the licence in a machine-readable
# copyright file, a compressed changelog and an extended description.
for file in ./usr/share/doc/tunevault/copyright ./usr/share/doc/tunevault/changelog.gz; do
    grep -qx "$file" "$out/files.txt" || fail "the package lacks $file"
done
dpkg-deb -x "$deb" "$out/root"
file "$out/root/usr/bin/tunevault" | grep -q ', stripped' || fail "the binary is not stripped"
copyright="$out/root/usr/share/doc/tunevault/copyright"
head -1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright file is not machine-readable"
grep -qx 'License: GPL-3.0-or-later' "$copyright" || fail "the copyright file names no GPL-3.0-or-later"
gzip -t "$out/root/usr/share/doc/tunevault/changelog.gz" || fail "the changelog is not gzipped"
description=$(dpkg-deb -f "$deb" Description)
(($(wc -l <<<"$description") > 3)) || fail "the Description has no extended text: $description"
echo "PASS: the package holds the program and its desktop files, with its dependencies,"
echo "      a stripped binary, its copyright, changelog and an extended description"
