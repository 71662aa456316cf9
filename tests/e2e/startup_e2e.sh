#!/usr/bin/env bash
# End to end: the real program under Xvfb with a prepared settings file and a
# folder of generated songs. The song info window comes up; a double-click on
# it must bring up the main window, the control panel and the playlist
# window; a row plays; the main window snaps to the edge and its companions
# follow; the title strip rolls them up. The session is startup_session.sh.
# Usage: startup_e2e.sh TUNEVAULT_BINARY OUTPUT_FOLDER
set -euo pipefail
export tunevault=$1
output=$2
source "$(dirname "$0")/harness.sh"
start_session_bus
make_songs 20 First_Song Second-Song Third
run_session startup_session.sh
