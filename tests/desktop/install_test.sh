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

DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
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
echo "PASS: installed files validate, the icon exists, the installed program starts"
