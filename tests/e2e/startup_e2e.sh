#!/usr/bin/env bash
# End to end: the real program under Xvfb with a prepared settings file and a
# folder of generated songs. The song info window comes up; a double-click on
# it must bring up the main window, the control panel and the playlist window.
# Usage: startup_e2e.sh TUNEVAULT_BINARY OUTPUT_FOLDER
set -euo pipefail
binary=$1
output=$2
mkdir -p "$output"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/home/.config/tunevault" "$work/music"
for name in "First_Song" "Second-Song" "Third"; do
    sox -n -r 44100 -c 2 "$work/tone.wav" synth 20 sine 330 vol 0.3
    lame --quiet -b 96 --tt "$name title" --ta "Test Artist" --ty 2024 "$work/tone.wav" \
        "$work/music/$name.mp3"
done
printf '[Settings]\nDIRECTORY=%s\n' "$work/music" >"$work/home/.config/tunevault/mp3.ini"

cat >"$work/session.sh" <<'SESSION'
set -euo pipefail
binary=$1; output=$2; work_dir=$3
"$binary" 2>"$output/e2e-stderr.txt" &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
visible() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
for _ in $(seq 100); do [[ -n "$(visible 'Tunevault song info')" ]] && break; sleep 0.1; done
info=$(visible 'Tunevault song info')
[[ -n "$info" ]] || { echo "FAIL: the song info window did not appear"; exit 1; }
sleep 1
import -window root "$output/e2e-song-info.png"
eval "$(xdotool getwindowgeometry --shell "$info")"
# The "Double click here to continue" label starts 122 x 31 pixels into the window.
xdotool mousemove $((X + 150)) $((Y + 38)) click --repeat 2 --delay 80 1
for _ in $(seq 100); do
    [[ -n "$(visible Tunevault)" && -n "$(visible 'Tunevault control panel')" &&
       -n "$(visible 'Tunevault playlist')" ]] && break
    sleep 0.1
done
sleep 1
import -window root "$output/e2e-three-windows.png"
missing=0
for name in Tunevault 'Tunevault control panel' 'Tunevault playlist'; do
    [[ -n "$(visible "$name")" ]] || { echo "FAIL: window '$name' is not shown"; missing=1; }
done
[[ -z "$(visible 'Tunevault song info')" ]] || { echo "FAIL: the song info window is still shown"; missing=1; }
[[ $missing -eq 0 ]] || exit 1
# After the fade (about 6.5 seconds) the song list takes a double-click on its
# first row (the list starts 14 x 54 pixels into the main window).
sleep 9
eval "$(xdotool getwindowgeometry --shell "$(visible Tunevault)")"
xdotool mousemove $((X + 30)) $((Y + 60)) click --repeat 2 --delay 80 1
sleep 3
import -window root "$output/e2e-playing.png"
# The song's name scrolls across the panel and leaves it for a while: keep the
# shot, one a second, where its line is brightest.
panel=$(visible 'Tunevault control panel')
best=-1
for shot in $(seq 20); do
    import -window "$panel" "$work_dir/panel.png"
    brightness=$(convert "$work_dir/panel.png" -crop 256x14+0+120 -colorspace gray -format '%[fx:int(mean*100000)]' info:)
    if ((brightness > best)); then
        best=$brightness
        cp "$work_dir/panel.png" "$output/e2e-control-panel.png"
    fi
    sleep 1
done
kill -0 $app || { echo "FAIL: the program ended"; exit 1; }

# Drag the main window by its background to 10 pixels from the screen's left
# edge: it snaps flush; a mouse movement over the song list brings the
# companions under it.
geometry() { xdotool getwindowgeometry --shell "$(visible "$1")"; }
eval "$(geometry Tunevault)"
main_y=$Y
xdotool mousemove $((X + 5)) $((Y + 60)) mousedown 1
sleep 0.3
xdotool mousemove $((15 + 20)) $((Y + 80))
sleep 0.3
xdotool mousemove 15 $((Y + 80))
sleep 0.3
xdotool mouseup 1
sleep 0.5
eval "$(geometry Tunevault)"
[[ $X -eq 0 ]] || { echo "FAIL: the main window did not snap to the left edge (x=$X)"; exit 1; }
[[ $Y -eq $((main_y + 20)) ]] || { echo "FAIL: the main window did not follow the drag (y=$Y)"; exit 1; }
main_y=$Y
xdotool mousemove 40 $((Y + 70))
sleep 0.5
eval "$(geometry 'Tunevault control panel')"
[[ $X -eq 0 && $Y -eq $((main_y + 153)) ]] || { echo "FAIL: the control panel did not follow ($X,$Y)"; exit 1; }
eval "$(geometry 'Tunevault playlist')"
[[ $X -eq 0 && $Y -eq $((main_y + 305)) ]] || { echo "FAIL: the playlist window did not follow ($X,$Y)"; exit 1; }
import -window root "$output/e2e-snapped.png"

# A double-click on the title strip rolls the three windows up.
xdotool mousemove 100 $((main_y + 5)) click --repeat 2 --delay 80 1
sleep 4
for name in Tunevault 'Tunevault control panel' 'Tunevault playlist'; do
    eval "$(geometry "$name")"
    [[ $HEIGHT -eq 19 ]] || { echo "FAIL: '$name' is $HEIGHT pixels high, not rolled up"; exit 1; }
done
import -window root "$output/e2e-rolled-up.png"
echo "PASS: windows shown, a row plays, the main window snaps, companions follow, roll-up; screenshots in $output"
SESSION

HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
    timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/session.sh" "$binary" "$output" "$work"
