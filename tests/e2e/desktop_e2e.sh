#!/usr/bin/env bash
# End to end on a managed desktop: the real program under Xvfb with a window
# manager (openbox), a taskbar (tint2) and a private session bus. A second
# launch raises the first or hands it a song and exits 0, and shows nothing
# while a running Tunevault answers late; one that does not answer is said
# so; two launches at once give one player, and so do two during the
# first-run question; a launch that hands over ends its startup
# notification; --version needs no display; the Play key toggles; Next on
# the last row opens no window; Alt+F4 on the control panel asks the exit
# question; the taskbar shows one Tunevault (the companions ask to be left
# out of taskbars and pagers). The session is desktop_session.sh.
# Usage: desktop_e2e.sh TUNEVAULT_BINARY OUTPUT_FOLDER SLOWOWNER_BINARY
set -euo pipefail
export tunevault=$1 slowowner=$3
output=$2
source "$(dirname "$0")/harness.sh"
start_session_bus

make_songs 60 First Second Third
# The handed song lies in a folder whose name is not UTF-8, and is given by
# a name relative to it.
export other="$work/other"$'\xff'
mkdir -p "$other"
lame --quiet -b 96 --tt "Handed title" "$work/tone.wav" "$other/Handed.mp3"

version=$(env -u DISPLAY "$tunevault" --version)
[[ $version == "tunevault "[0-9]* ]] || { echo "FAIL: --version printed '$version'"; exit 1; }

run_session desktop_session.sh
