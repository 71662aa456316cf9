#!/usr/bin/env bash
# End to end: the real program under Xvfb on a private session bus, playing
# into a PulseAudio server of its own (a null sink), driven by playerctl, a
# real MPRIS client: play, status, title, play-pause, next, position, volume
# (also a minute-long stream of sets) and quit. The control panel's pause
# glyph and volume slider must follow (compared on screenshots of the panel),
# and so must the stream's volume on the server. The session is
# mpris_session.sh.
# Usage: mpris_e2e.sh TUNEVAULT_BINARY OUTPUT_FOLDER
set -euo pipefail
export tunevault=$1
output=$2
source "$(dirname "$0")/harness.sh"
start_session_bus
start_pulse "$work/pulse"
make_songs 30 First_Song Second-Song Third
run_session mpris_session.sh
