#!/usr/bin/env bash
# Playing and idle, whole processes in paired runs under Xvfb. A 192 kbps MP3
# plays in Tunevault (its three windows shown) and in a bare
# `gst-launch-1.0 playbin`, into the same sink: a silent sink at real speed,
# then a private PulseAudio server with a null sink (whose processor time
# counts for both). Also Tunevault idle with its windows shown, and its peak
# memory while playing. Medians of the pairs.
# Usage: playing.sh TUNEVAULT [PAIRS] [SECONDS]
set -euo pipefail
here=$(dirname "$(realpath "$0")")
binary=$(realpath "$1")
pairs=${2:-3}
seconds=${3:-20}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/home/.config/tunevault" "$work/music"
sox -n -r 44100 -c 2 "$work/song.wav" synth $((seconds + 60)) sine 440 vol 0.3
lame --quiet -b 192 "$work/song.wav" "$work/music/Long_Song.mp3"
rm "$work/song.wav"
printf '[Settings]\nDIRECTORY=%s\n' "$work/music" >"$work/home/.config/tunevault/mp3.ini"

cat >"$work/measure.sh" <<'MEASURE'
set -euo pipefail
source "$1/common.sh"
binary=$2; pairs=$3; seconds=$4; work=$5
song="$work/music/Long_Song.mp3"
visible() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
double_click() { # window title, x, y within it
    eval "$(xdotool getwindowgeometry --shell "$(visible "$1")")"
    xdotool mousemove $((X + $2)) $((Y + $3)) click --repeat 2 --delay 80 1
}

# bare SINK SERVER_PID: the bare player's share of one core while playing.
bare() {
    gst-launch-1.0 -q playbin uri="file://$song" audio-sink="$1" >/dev/null 2>&1 &
    local player=$!
    sleep 2
    cpu_percent "$seconds" $player ${2:-}
    kill $player; wait $player 2>/dev/null || true
}

# tunevault SERVER_PID: idle share, playing share and peak KiB, on one line.
tunevault() {
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
        "$binary" 2>"$work/stderr.txt" &
    local app=$!
    for _ in $(seq 100); do [[ -n "$(visible 'Tunevault song info')" ]] && break; sleep 0.1; done
    sleep 1
    double_click 'Tunevault song info' 150 38
    sleep 10 # the start-up song fades out and stops
    local idle
    idle=$(cpu_percent "$seconds" $app)
    double_click Tunevault 30 60 # the first row of the song list
    sleep 3
    local playing
    playing=$(cpu_percent "$seconds" $app ${1:-})
    echo "$idle $playing $(awk '/VmHWM/ { print $2 }' "/proc/$app/status")"
    kill $app; wait $app 2>/dev/null || true
}

# pairs_of NAME SINK SERVER_PID: runs the pairs and reports them.
pairs_of() {
    : >"$work/bare.txt"
    : >"$work/app.txt"
    for _ in $(seq "$pairs"); do
        bare "$2" "${3:-}" >>"$work/bare.txt"
        tunevault "${3:-}" >>"$work/app.txt"
    done
    report_ratio "playing, $1" "$(cut -d' ' -f2 "$work/app.txt" | median)" \
        "$(median <"$work/bare.txt")" 1.05 "% of a core"
}

export PULSE_SERVER=unix:/nonexistent # no server: the program falls back to its silent sink
HOME="$work/home" "$binary" 2>"$work/stderr.txt" &
probe=$!
sleep 3
kill $probe; wait $probe 2>/dev/null || true
if grep -q "playing silently" "$work/stderr.txt"; then
    pairs_of "into the silent sink" "fakesink sync=true"
    report_limit "idle with the windows shown" "$(cut -d' ' -f1 "$work/app.txt" | median)" \
        0.05 "% of a core"
    report_limit "peak memory while playing" \
        "$(cut -d' ' -f3 "$work/app.txt" | median | awk '{ print $1 / 1024 }')" 85 MiB
else
    echo "playing into the silent sink: skipped, this machine has a sound device"
fi
unset PULSE_SERVER

start_pulse "$work"
trap stop_pulse EXIT
pairs_of "into PulseAudio (with the server's share)" pulsesink "$pulse_pid"
echo "($pairs pairs of $seconds s each)"
MEASURE

xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/measure.sh" "$here" "$binary" "$pairs" \
    "$seconds" "$work"
