#!/usr/bin/env bash
# The memory that each song opened costs: 1,000 songs after 50 of warm-up,
# into a silent sink, against a bare playbin doing the same (GStreamer itself
# keeps a few KiB a song). Medians of three runs each.
# Usage: songmemory.sh SONGMEMORY
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
make_tone_mp3 1 "$work/tone.mp3"
for _ in 1 2 3; do "$1" "$work/tone.mp3" 1000; done | median >"$work/player"
for _ in 1 2 3; do "$1" "$work/tone.mp3" 1000 floor; done | median >"$work/floor"
report_ratio "memory a song opened, 1,000 songs" "$(cat "$work/player")" "$(cat "$work/floor")" \
    1.25 KiB
