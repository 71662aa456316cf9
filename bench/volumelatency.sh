#!/usr/bin/env bash
# How soon a change of volume, mute or balance is heard: the real player
# plays a tone into a private PulseAudio server of this script's own, whose
# null sink's monitor is recorded; ten changes of each kind, timed from the
# call to the first recorded block at the new level. Median and worst.
# Usage: volumelatency.sh VOLUMELATENCY [CHANGES]
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/common.sh"
tool=$(realpath "$1")
changes=${2:-10}
work=$(mktemp -d)
trap 'stop_pulse; rm -rf "$work"' EXIT
make_tone_mp3 120 "$work/tone.mp3"
export XDG_RUNTIME_DIR="$work"
start_pulse "$work/pulse"
# Volume and mute are made by the server and have a goal; balance is made in
# the pipeline, behind the sound already queued, and is only shown.
"$tool" "$work/tone.mp3" "$changes" 2>/dev/null | while read -r kind median worst; do
    if [[ $kind == balance ]]; then
        printf '%-48s %9.3f s, worst of %d %.3f s (no goal: made in the pipeline)\n' \
            "heard after a change of balance, median" "$median" "$changes" "$worst"
        continue
    fi
    report_limit "heard after a change of $kind, median" "$median" 0.1 s
    report_limit "heard after a change of $kind, worst of $changes" "$worst" 0.1 s
done
