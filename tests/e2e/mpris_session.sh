#!/usr/bin/env bash
# shellcheck disable=SC2154 # tunevault, work, output and e2e come from harness.sh
# The MPRIS scenario's session, run by mpris_e2e.sh under Xvfb.
# Needs: tunevault, work, output, e2e.
set -euo pipefail
# shellcheck source=tests/e2e/sessionhelpers.sh
source "$e2e/sessionhelpers.sh"
# The desktop's accessibility bus, as screen readers use it; Qt talks to it
# without waiting for a screen reader to ask.
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus_launcher=$!
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
accessible() { /usr/bin/python3 "$e2e/accessible.py" "$@"; }
# A sanitizer build keeps up to 256 MB of freed memory aside, which would
# read as growth in the memory check below; 1 MB still catches a recent use.
ASAN_OPTIONS="${ASAN_OPTIONS:-}:quarantine_size_mb=1" "$tunevault" 2>"$output/mpris-stderr.txt" &
app=$!
trap 'kill $app $bus_launcher 2>/dev/null || true' EXIT
# A fingerprint of a rectangle of the control panel (w h x y in pixels).
panel_area() {
    import -window "$(visible 'Tunevault control panel')" "$work/panel.png"
    convert "$work/panel.png" -crop "${1}x${2}+${3}+${4}" +repage -format '%#' info:
}
glyph() { panel_area 8 16 29 132; }
volume_slider() { panel_area 52 18 85 44; }
glyph_is() { [[ "$(glyph)" == "$1" ]]; }
glyph_is_not() { [[ "$(glyph)" != "$1" ]]; }

wait_until 30 "the song info window's showing" shown 'Tunevault song info'
expect tunevault -l
# "Continue" through its action, as a screen reader presses it.
accessible press Continue || fail "Continue could not be pressed through its action"
wait_until 30 "the control panel's showing" shown 'Tunevault control panel'
expect Stopped status # the song info window's song has faded out
accessible check || fail "the accessibility bus shows the windows wrongly"

ctl play
expect Playing status
title=$(ctl metadata xesam:title)
[[ "$title" =~ ^(First_Song|Second-Song|Third)\ title$ ]] || fail "title '$title'"
[[ "$(ctl metadata xesam:album)" == "Test Album" ]] || fail "album '$(ctl metadata xesam:album)'"

playing_glyph=$(glyph)
ctl play-pause
expect Paused status
wait_until 5 "the pause glyph's change on pause" glyph_is_not "$playing_glyph"
ctl play-pause
expect Playing status
wait_until 5 "the pause glyph's return on play" glyph_is "$playing_glyph"
# The same buttons through their actions: Pause, then Resume (its name while
# paused).
accessible press Pause || fail "Pause could not be pressed through its action"
expect Paused status
accessible press Resume || fail "Resume could not be pressed through its action"
expect Playing status
# And from the keyboard: Tab to Stop, Enter; Shift+Tab back to Pause, Space.
focused_is() { [[ "$(accessible focused)" == "$1" ]]; }
tab_to() {
    xdotool windowfocus --sync "$(visible "$1")"
    for _ in $(seq 8); do
        focused_is "$2" && return
        xdotool key Tab
    done
    fail "Tab did not reach $2"
}
tab_to 'Tunevault control panel' Stop
xdotool key Return
expect Stopped status
ctl play
expect Playing status
xdotool key shift+Tab
wait_until 5 "Shift+Tab's reaching Pause" focused_is Pause
xdotool key space
expect Paused status
ctl play-pause
expect Playing status

# From no selected row, Next takes the first row, then the second.
ctl next
expect "First_Song title" metadata xesam:title
ctl next
expect "Second-Song title" metadata xesam:title
expect Playing status
# The Menu key on the song list opens the list's menu, which the arrow keys
# walk: its eleventh item is Pause (without the menu, the keys would play
# the third row). In the playlist window, Tab reaches "Options", whose Enter
# opens that window's menu: its fifth item is Load Playlist, which finds
# none here and says so.
tab_to Tunevault Songs
xdotool key Menu
xdotool key --repeat 11 --delay 50 Down
xdotool key Return
expect Paused status
ctl play-pause
expect Playing status
tab_to 'Tunevault playlist' Options
xdotool key Return
xdotool key --repeat 5 --delay 50 Down
xdotool key Return
no_playlists() { xdotool search --onlyvisible --name '^No playlists found' >/dev/null 2>&1; }
wait_until 10 "Options' menu's Load Playlist (No playlists found)" no_playlists
xdotool key Return
no_box() { ! no_playlists; }
wait_until 10 "Return's closing the No playlists found box" no_box

ctl position 12
near_12() {
    local position
    position=$(ctl position)
    [[ -n "$position" ]] && awk -v p="$position" 'BEGIN { exit !(p >= 12 && p < 20) }'
}
wait_until 5 "the position's move to 12" near_12
# The time played is told to screen readers as it changes (a loaded machine
# may take seconds to play on after the seek).
accessible announced 5 >"$work/announced.txt"
grep -Eq '^0:(1[2-9]|2[0-9])$' "$work/announced.txt" ||
    fail "the time played was not announced: $(paste -sd ' ' "$work/announced.txt")"

slider_before=$(volume_slider)
slider_moved() { [[ "$(volume_slider)" != "$slider_before" ]]; }
ctl volume 0.5
expect 0.500000 volume
wait_until 5 "the volume slider's move" slider_moved
# The Volume slider set through the value interface moves as the user's own.
accessible set Volume 30 || fail "the Volume slider could not be set through its value"
expect 0.300000 volume
# The sound server plays the stream 17.5 dB down: the slider's 30 of 100.
stream_decibels() { LC_ALL=C pactl list sink-inputs | grep -o -m1 -- '-\?[0-9.]* dB' | head -1; }
[[ $(stream_decibels) == "-17.50 dB" ]] || fail "the stream plays at $(stream_decibels), not -17.50 dB"

# A minute of volume sets, 100 a second, as a dragged desktop slider sends:
# the program stays up, its memory stays flat, and the last set wins.
{
    read -r early late last
    read -r readback
} < <(/usr/bin/python3 "$e2e/volumestream.py" 60 100 $app)
echo "resident memory during the volume stream: $early kB after 6 s, $late kB after 60 s"
((late - early < 8192)) || fail "memory grew from $early kB to $late kB during the volume stream"
[[ $readback == "$last" ]] || fail "the volume read back $readback after the last set of $last"

dbus-send --session --type=method_call --dest=org.mpris.MediaPlayer2.tunevault \
    /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Quit
ended() { ! kill -0 $app 2>/dev/null; }
wait_until 10 "Quit's ending the program" ended
echo "PASS: playerctl plays, pauses, reads the title, goes next, seeks, sets the volume and quits"
