#!/usr/bin/env bash
# Starts Tunevault, or says plainly why it cannot: it needs a desktop session.
set -euo pipefail
binary=$1
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    echo "Tunevault is a desktop program and found no display (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
    echo "Start it from a desktop session, or try it headless with: xvfb-run -a $binary" >&2
    exit 1
fi
exec "$binary"
