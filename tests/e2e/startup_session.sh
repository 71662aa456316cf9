#!/usr/bin/env bash
# shellcheck disable=SC2154 # tunevault, work, output and e2e come from harness.sh
# The start-up scenario's session, run by startup_e2e.sh under Xvfb.
# Needs: tunevault, work, output, e2e.
set -euo pipefail
# shellcheck source=tests/e2e/sessionhelpers.sh
source "$e2e/sessionhelpers.sh"
"$tunevault" 2>"$output/e2e-stderr.txt" &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
geometry() { xdotool getwindowgeometry --shell "$(visible "$1")"; }
# A fingerprint of the song list (it starts 14 x 54 pixels into the main
# window): the list looks disabled while the song info window's song fades.
song_list() {
    import -window "$(visible Tunevault)" "$work/main.png"
    convert "$work/main.png" -crop 200x60+14+54 +repage -format '%#' info:
}
song_list_changed() { [[ "$(song_list)" != "$1" ]]; }
three_windows() { shown Tunevault && shown 'Tunevault control panel' && shown 'Tunevault playlist'; }

wait_until 30 "the song info window's showing" shown 'Tunevault song info'
continue_from_song_info
wait_until 30 "the main window, the control panel and the playlist window's showing" three_windows
gone 'Tunevault song info' || fail "the song info window is still shown"
# After the fade (about 6.5 seconds) the song list takes a double-click on
# its first row.
fading=$(song_list)
wait_until 30 "the song list's coming back after the fade" song_list_changed "$fading"
eval "$(geometry Tunevault)"
xdotool mousemove $((X + 30)) $((Y + 60)) click --repeat 2 --delay 80 1
expect "First_Song title" metadata xesam:title
expect Playing status

# Drag the main window by its background to 10 pixels from the screen's left
# edge: it snaps flush; a mouse movement over the song list brings the
# companions under it.
eval "$(geometry Tunevault)"
main_y=$Y
xdotool mousemove $((X + 5)) $((Y + 60)) mousedown 1 sleep 0.3 mousemove $((15 + 20)) $((Y + 80)) \
    sleep 0.3 mousemove 15 $((Y + 80)) sleep 0.3 mouseup 1
at() {
    eval "$(geometry "$1")"
    [[ $X -eq $2 && $Y -eq $3 ]]
}
wait_until 5 "the main window's snap to the left edge, 20 pixels lower" at Tunevault 0 $((main_y + 20))
main_y=$((main_y + 20))
xdotool mousemove 40 $((main_y + 70))
wait_until 5 "the control panel's following" at 'Tunevault control panel' 0 $((main_y + 153))
wait_until 5 "the playlist window's following" at 'Tunevault playlist' 0 $((main_y + 305))

# A double-click on the title strip rolls the three windows up.
rolled_up() {
    local name
    for name in Tunevault 'Tunevault control panel' 'Tunevault playlist'; do
        eval "$(geometry "$name")"
        [[ $HEIGHT -eq 19 ]] || return 1
    done
}
xdotool mousemove 100 $((main_y + 5)) click --repeat 2 --delay 80 1
wait_until 10 "the three windows' rolling up" rolled_up
echo "PASS: windows shown, a row plays, the main window snaps, companions follow, roll-up"
