#!/usr/bin/env bash
# Installs the build into a staging folder as a package would (DESTDIR, prefix
# /usr) and checks it as the desktop sees it: the desktop entry and the
# AppStream metainfo validate, the entry's icon exists, and the installed
# program starts under Xvfb.
# Usage: install_test.sh BUILD_FOLDER
set -euo pipefail
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# As the README installs: stripped, with a manifest that its uninstall line
# reads.
DESTDIR="$stage" cmake --install "$build" --prefix /usr --strip >/dev/null
file "$stage/usr/bin/tunevault" | grep -q ', stripped' || fail "the installed program is not stripped"
grep -qx /usr/bin/tunevault "$build/install_manifest.txt" ||
    fail "the manifest does not list the program"
entry=$(ls "$stage"/usr/share/applications/*.desktop)
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
appstreamcli validate --no-net "$stage"/usr/share/metainfo/*.metainfo.xml ||
    fail "the metainfo does not validate"
grep -qx 'Exec=tunevault %F' "$entry" || fail "Exec does not take files"
grep -qx 'Categories=AudioVideo;Audio;Player;' "$entry" || fail "wrong categories"
grep -qx 'MimeType=audio/mpeg;' "$entry" || fail "the entry does not offer to open MP3 files"
grep -qx 'StartupNotify=true' "$entry" || fail "the entry asks for no startup notification"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$stage"/usr/share/metainfo/*.xml ||
    fail "the metainfo names another licence"
icon=$(sed -n 's/^Icon=//p' "$entry")
for size in scalable/apps/$icon.svg 48x48/apps/$icon.png 128x128/apps/$icon.png \
    256x256/apps/$icon.png; do
    [[ -s "$stage/usr/share/icons/hicolor/$size" ]] || fail "icon $size is missing"
done

home="$stage/home"
mkdir -p "$home/.config/tunevault" "$home/music"
echo x >"$home/music/song.mp3"
printf '[Settings]\nDIRECTORY=%s\n' "$home/music" >"$home/.config/tunevault/mp3.ini"
cat >"$stage/session.sh" <<'SESSION'
"$1" 2>/dev/null &
app=$!
for _ in $(seq 100); do
    if xdotool search --onlyvisible --name '^Tunevault song info$' >/dev/null 2>&1; then
        kill $app; exit 0
    fi
    sleep 0.1
done
kill $app 2>/dev/null; exit 1
SESSION
HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    xvfb-run -a bash "$stage/session.sh" "$stage/usr/bin/tunevault" ||
    fail "the installed program did not show its window"
sed "s|^|$stage|" "$build/install_manifest.txt" | xargs rm || fail "the README's uninstall line failed"
[[ -z "$(find "$stage/usr" -type f)" ]] || fail "the uninstall left files behind"
echo "PASS: installed files validate, the icon exists, the installed program starts;"
echo "      installed stripped, and uninstalled by the manifest"
