#!/usr/bin/env bash
# Whole-process figures of Tunevault under Xvfb:
#  - CPU while a song plays, beside gst-launch-1.0 playbin playing the same
#    file into the same kind of sink, over the same number of seconds;
#  - peak memory while playing;
#  - CPU with the windows shown and no song playing.
# Usage: playback_cpu.sh TUNEVAULT_BINARY [SECONDS]
set -euo pipefail
binary=$(realpath "$1")
seconds=${2:-60}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/home/.config/tunevault" "$work/music"
sox -n -r 44100 -c 2 "$work/song.wav" synth $((seconds + 30)) sine 440 vol 0.3
lame --quiet -b 192 "$work/song.wav" "$work/music/Long_Song.mp3"
rm "$work/song.wav"
printf '[Settings]\nDIRECTORY=%s\n' "$work/music" >"$work/home/.config/tunevault/mp3.ini"

cat >"$work/measure.sh" <<'MEASURE'
set -euo pipefail
binary=$1; seconds=$2; work=$3
tick=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# Percent of one core that process $1 uses over $2 seconds.
cpu_percent() {
    local before after
    before=$(cpu_ticks "$1"); sleep "$2"; after=$(cpu_ticks "$1")
    awk -v t=$((after - before)) -v hz="$tick" -v s="$2" 'BEGIN { printf "%.2f", 100 * t / hz / s }'
}

# The same kind of sink Tunevault chose: the desktop's, or a silent one at real speed.
sink="autoaudiosink"
"$binary" 2>"$work/stderr.txt" &
app=$!
sleep 3
grep -q "playing silently" "$work/stderr.txt" && sink="fakesink sync=true"
kill $app; wait $app 2>/dev/null || true

gst-launch-1.0 -q playbin uri="file://$work/music/Long_Song.mp3" audio-sink="$sink" >/dev/null 2>&1 &
bare=$!
sleep 2
bare_cpu=$(cpu_percent $bare "$seconds")
kill $bare; wait $bare 2>/dev/null || true

"$binary" 2>>"$work/stderr.txt" &
app=$!
sleep 2
app_cpu=$(cpu_percent $app "$seconds")
peak_kib=$(awk '/VmHWM/ {print $2}' "/proc/$app/status")
info=$(xdotool search --onlyvisible --name '^Tunevault song info$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$info")"
xdotool mousemove $((X + 150)) $((Y + 38)) click --repeat 2 --delay 80 1
sleep 10
idle_cpu=$(cpu_percent $app 30)
kill $app; wait $app 2>/dev/null || true

echo "sink: $sink"
echo "playing, gst-launch-1.0 playbin: $bare_cpu % of one core over $seconds s"
echo "playing, Tunevault:              $app_cpu % of one core over $seconds s"
awk -v a="$app_cpu" -v b="$bare_cpu" 'BEGIN { if (b > 0) printf "ratio:                           %.2f (goal: at most 1.15)\n", a / b }'
awk -v k="$peak_kib" 'BEGIN { printf "peak memory while playing:       %.1f MiB (goal: under 85)\n", k / 1024 }'
echo "idle with windows shown:         $idle_cpu % of one core over 30 s (goal: under 0.2)"
MEASURE

HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
    xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/measure.sh" "$binary" "$seconds" "$work"
