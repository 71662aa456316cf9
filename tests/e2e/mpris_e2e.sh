#!/usr/bin/env bash
# End to end: the real program under Xvfb on a private session bus, driven by
# playerctl, a real MPRIS client: play, status, title, play-pause, next,
# position, volume (also a minute-long stream of sets) and quit. The control panel's pause glyph and volume slider
# must follow (compared on screenshots of the panel).
# Usage: mpris_e2e.sh TUNEVAULT_BINARY OUTPUT_FOLDER
set -euo pipefail
binary=$1
output=$2
mkdir -p "$output"
source "$(dirname "$0")/privatebus.sh"

mkdir -p "$work/home/.config/tunevault" "$work/music"
sox -n -r 44100 -c 2 "$work/tone.wav" synth 30 sine 330 vol 0.3
for name in "First_Song" "Second-Song" "Third"; do
    lame --quiet -b 96 --tt "$name title" --ta "Test Artist" --tl "Test Album" "$work/tone.wav" \
        "$work/music/$name.mp3"
done
printf '[Settings]\nDIRECTORY=%s\n' "$work/music" >"$work/home/.config/tunevault/mp3.ini"

cat >"$work/session.sh" <<'SESSION'
set -euo pipefail
binary=$1; output=$2; work=$3
source "$4/sessionhelpers.sh"
# A sanitizer build keeps up to 256 MB of freed memory aside, which would
# read as growth in the memory check below; 1 MB still catches a recent use.
ASAN_OPTIONS="${ASAN_OPTIONS:-}:quarantine_size_mb=1" "$binary" 2>"$output/mpris-stderr.txt" &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
# A fingerprint of a rectangle of the control panel (w h x y in pixels).
panel_area() {
    import -window "$(visible 'Tunevault control panel')" "$work/panel.png"
    convert "$work/panel.png" -crop "${1}x${2}+${3}+${4}" +repage -format '%#' info:
}
glyph() { panel_area 8 16 29 132; }
volume_slider() { panel_area 52 18 85 44; }

for _ in $(seq 100); do [[ -n "$(visible 'Tunevault song info')" ]] && break; sleep 0.1; done
info=$(visible 'Tunevault song info')
[[ -n "$info" ]] || fail "the song info window did not appear"
expect tunevault -l
eval "$(xdotool getwindowgeometry --shell "$info")"
xdotool mousemove $((X + 150)) $((Y + 38)) click --repeat 2 --delay 80 1
for _ in $(seq 100); do [[ -n "$(visible 'Tunevault control panel')" ]] && break; sleep 0.1; done
sleep 8 # the song info window's song fades out

ctl play
expect Playing status
title=$(ctl metadata xesam:title)
[[ "$title" =~ ^(First_Song|Second-Song|Third)\ title$ ]] || fail "title '$title'"
[[ "$(ctl metadata xesam:album)" == "Test Album" ]] || fail "album '$(ctl metadata xesam:album)'"

playing_glyph=$(glyph)
ctl play-pause
expect Paused status
sleep 0.5
[[ "$(glyph)" != "$playing_glyph" ]] || fail "the pause glyph did not change on pause"
import -window root "$output/mpris-paused.png"
ctl play-pause
expect Playing status
sleep 0.5
[[ "$(glyph)" == "$playing_glyph" ]] || fail "the pause glyph did not come back on play"

# From no selected row, Next takes the first row, then the second.
ctl next
expect "First_Song title" metadata xesam:title
ctl next
expect "Second-Song title" metadata xesam:title
expect Playing status

ctl position 12
for _ in $(seq 50); do
    position=$(ctl position)
    [[ -n "$position" ]] && awk -v p="$position" 'BEGIN { exit !(p >= 12 && p < 20) }' && break
    sleep 0.1
done
awk -v p="$position" 'BEGIN { exit !(p >= 12 && p < 20) }' || fail "position $position after moving to 12"

slider_before=$(volume_slider)
ctl volume 0.5
expect 0.500000 volume
sleep 0.5
[[ "$(volume_slider)" != "$slider_before" ]] || fail "the volume slider did not move"
import -window root "$output/mpris-volume.png"

# A minute of volume sets, 100 a second, as a dragged desktop slider sends:
# the program stays up, its memory stays flat, and the last set wins.
{ read -r early late last; read -r readback; } < <(/usr/bin/python3 "$4/volumestream.py" 60 100 $app)
echo "resident memory during the volume stream: $early kB after 6 s, $late kB after 60 s"
(( late - early < 8192 )) || fail "memory grew from $early kB to $late kB during the volume stream"
[[ $readback == "$last" ]] || fail "the volume read back $readback after the last set of $last"
# The three windows, for the README.
eval "$(xdotool getwindowgeometry --shell "$(visible Tunevault)")"
convert "$output/mpris-volume.png" -crop "265x459+$X+$Y" +repage "$output/tunevault-windows.png"

dbus-send --session --type=method_call --dest=org.mpris.MediaPlayer2.tunevault \
    /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Quit
for _ in $(seq 50); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
kill -0 $app 2>/dev/null && fail "Quit did not end the program"
echo "PASS: playerctl plays, pauses, reads the title, goes next, seeks, sets the volume and quits"
SESSION

HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
    timeout 240 xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/session.sh" "$binary" "$output" "$work" \
    "$(dirname "$(realpath "$0")")"
