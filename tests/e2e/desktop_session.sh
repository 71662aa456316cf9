#!/usr/bin/env bash
# shellcheck disable=SC2154 # tunevault, work, output and e2e come from harness.sh
# The desktop scenario's session, run by desktop_e2e.sh under Xvfb: a window
# manager (openbox) and a taskbar (tint2) first, as on a desktop, then the
# launches. Needs: tunevault, slowowner, work, output, e2e, other.
set -euo pipefail
# shellcheck source=tests/e2e/sessionhelpers.sh
source "$e2e/sessionhelpers.sh"
openbox >/dev/null 2>&1 &
wm=$!
# A window mapped while openbox is still taking over the screen may stay
# unmanaged and unmapped.
window_manager_up() { wmctrl -m >/dev/null 2>&1; }
wait_until 30 "openbox taking over the screen" window_manager_up
tint2 -c "$e2e/tint2rc" >/dev/null 2>&1 &
bar=$!

# A launch while a running Tunevault answers late (a stand-in that takes 1 s
# to answer) shows no window of its own meanwhile, then hands its song over
# and exits 0. One that does not answer within 2 s (SIGSTOP) is said so, and
# no second player starts.
"$slowowner" 1 >"$work/slowowner.txt" &
owner=$!
trap 'kill -CONT $owner; kill $owner 2>/dev/null || true' EXIT
wait_until 30 "the stand-in's start" grep -q ready "$work/slowowner.txt"
(cd "$other" && timeout 20 "$tunevault" Handed.mp3) &
second=$!
nothing_within 0.8 "a launch showed its window while a running Tunevault answered late" \
    shown 'Tunevault song info'
wait $second || fail "a launch while Tunevault answered late did not exit 0"
grep -qx "Open file://$work/other%FF/Handed.mp3" "$work/slowowner.txt" ||
    fail "a launch while Tunevault answered late did not hand its song over"
kill -STOP $owner
started=$(date +%s%N)
if timeout 20 "$tunevault" 2>"$work/hung.txt"; then fail "a launch beside a hung Tunevault exited 0"; fi
(($(date +%s%N) - started < 5000000000)) || fail "a launch beside a hung Tunevault took 5 s or more"
grep -qx "Tunevault is running but does not answer" "$work/hung.txt" ||
    fail "a launch beside a hung Tunevault said: $(cat "$work/hung.txt")"
kill -CONT $owner
kill $owner
wait $owner || true

# Two launches at the same instant, twenty times: one player each time. The
# later one hands over and ends; two players would both stay.
running() {
    local count=0 pid
    for pid in "$@"; do kill -0 "$pid" 2>/dev/null && count=$((count + 1)); done
    echo $count
}
fewer_than_two() { (($(running "$@") < 2)); }
for try in $(seq 20); do
    "$tunevault" 2>/dev/null &
    one=$!
    "$tunevault" 2>/dev/null &
    two=$!
    wait_until 30 "one of two launches at once handing over (try $try)" fewer_than_two $one $two
    [[ $(running $one $two) == 1 ]] || fail "two launches at once gave no player (try $try)"
    kill $one $two 2>/dev/null || true
    wait $one $two 2>/dev/null || true
    wait_until 30 "the player's windows going (try $try)" gone 'Tunevault song info'
done

# A launch while the first Tunevault of a fresh account asks for its folder
# hands over to it: one question.
questions() { xdotool search --onlyvisible --name '^Input mp3 directory' 2>/dev/null | wc -l; }
asked() { (($(questions) == $1)); }
XDG_CONFIG_HOME="$work/fresh" "$tunevault" 2>/dev/null &
asking=$!
wait_until 30 "a fresh account's folder question" asked 1
XDG_CONFIG_HOME="$work/fresh" timeout 20 "$tunevault" ||
    fail "a launch during the first-run question did not exit 0"
nothing_within 1 "a launch during the first-run question asked again" asked 2
kill $asking
wait $asking || true

"$tunevault" 2>"$output/desktop-stderr.txt" &
app=$!
/usr/bin/python3 "$e2e/startupwatch.py" >"$work/startup.txt" &
watcher=$!
trap 'kill $app $wm $bar $watcher 2>/dev/null || true' EXIT
# The managed Tunevault windows that do not ask to be left out of taskbars.
taskbar_windows() {
    wmctrl -l | awk '{ print $1 }' | while read -r id; do
        xprop -id "$id" WM_NAME _NET_WM_STATE | paste -sd ' ' |
            grep 'Tunevault' | grep -v '_NET_WM_STATE_SKIP_TASKBAR.*_NET_WM_STATE_SKIP_PAGER' || true
    done | wc -l
}
# The task buttons that tint2 draws along a row of its panel: red pixels
# after a black gap (their icons and texts break the red within a button).
tint2_entries() {
    import -window root -crop 1024x1+0+752 +repage txt:- | awk '
        NR == 2 { black = 15 }
        $4 == "black" { black++ }
        $4 == "red" { if (black >= 15) n++; black = 0 }
        END { print n + 0 }'
}

wait_until 30 "the song info window's showing" shown 'Tunevault song info'
expect tunevault -l
continue_from_song_info
wait_until 30 "the control panel's showing" shown 'Tunevault control panel'
expect Stopped status # the song info window's song has faded out
# tint2 redraws a moment after the song info window goes: wait for its one
# entry, then check that no other appears.
taskbar_shows() { (($(tint2_entries) == 1)); }
taskbar_shows_more() { (($(tint2_entries) > 1)); }
wait_until 10 "the taskbar settling on one Tunevault" taskbar_shows
nothing_within 1 "the taskbar showed more than one Tunevault" taskbar_shows_more
[[ $(taskbar_windows) == 1 ]] || fail "$(taskbar_windows) Tunevault windows ask for a taskbar entry"

# A second launch without songs raises the first one and leaves (timeout
# would end one that stayed, and fail). Its startup notification ends within
# a second.
xdotool windowminimize --sync "$(visible Tunevault)"
grep -qx ready "$work/startup.txt" || fail "the startup notification watcher did not start"
DESKTOP_STARTUP_ID=e2e-launch_TIME0 timeout 20 "$tunevault" || fail "a second launch did not exit 0"
wait_until 1 "the launch's startup notification ending" \
    grep -qx "remove: ID=e2e-launch_TIME0" "$work/startup.txt"
wait_until 30 "the second launch raising the main window" shown Tunevault

# A second launch with a song hands it over: the first one plays it.
(cd "$other" && timeout 20 "$tunevault" Handed.mp3) || fail "a launch with a song did not exit 0"
expect "Handed title" metadata xesam:title
expect Playing status

# The Play key toggles while a Tunevault window has the focus.
xdotool windowactivate --sync "$(visible Tunevault)"
xdotool key XF86AudioPlay
expect Paused status
xdotool key XF86AudioPlay
expect Playing status

# Next on the last row of the song list opens no window.
for _ in 1 2 3 4; do ctl next; done
expect "Third title" metadata xesam:title
windows() { xdotool search --onlyvisible --name '.' | wc -l; }
before=$(windows)
more_windows() { (($(windows) > before)); }
xdotool windowactivate --sync "$(visible Tunevault)"
xdotool key XF86AudioNext
nothing_within 1 "Next on the last row opened a window" more_windows

# Alt+F4 on the control panel asks whether to end the program. Qt adds the
# program's name to a dialog's title: "Exit? — Tunevault".
xdotool windowactivate --sync "$(visible 'Tunevault control panel')"
xdotool key alt+F4
exit_asked() { xdotool search --onlyvisible --name '^Exit\?' >/dev/null 2>&1; }
wait_until 10 "Alt+F4 on the control panel asking" exit_asked
xdotool key Escape
ended() { ! kill -0 $app 2>/dev/null; }
nothing_within 0.5 "the program ended without a Yes" ended
echo "PASS: one Tunevault: raised and handed a song by a second launch; the Play key toggles;"
echo "      Next on the last row opens nothing; Alt+F4 asks; one taskbar entry"
