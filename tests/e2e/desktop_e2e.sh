#!/usr/bin/env bash
# End to end on a managed desktop: the real program under Xvfb with a window
# manager (openbox) and a private session bus. A second launch raises the
# first or hands it a song and exits 0, and shows nothing while a running
# Tunevault answers late; one that does not answer is said so; two launches
# at once give one player, and so do two during the first-run question; a
# launch that hands over ends its startup notification; --version needs no
# display; the Play key toggles; Next on the last row opens no window; Alt+F4
# on the control panel asks the exit question; a real taskbar (tint2) shows
# one Tunevault (the companions ask to be left out of taskbars and pagers).
# Usage: desktop_e2e.sh TUNEVAULT_BINARY OUTPUT_FOLDER SLOWOWNER_BINARY
set -euo pipefail
binary=$1
output=$2
slowowner=$3
mkdir -p "$output"
source "$(dirname "$0")/privatebus.sh"

# The handed song lies in a folder whose name is not UTF-8, and is given by
# a name relative to it.
other="$work/other"$'\xff'
mkdir -p "$work/home/.config/tunevault" "$work/music" "$other"
sox -n -r 44100 -c 2 "$work/tone.wav" synth 60 sine 330 vol 0.3
for name in First Second Third; do
    lame --quiet -b 96 --tt "$name title" "$work/tone.wav" "$work/music/$name.mp3"
done
lame --quiet -b 96 --tt "Handed title" "$work/tone.wav" "$other/Handed.mp3"
printf '[Settings]\nDIRECTORY=%s\n' "$work/music" >"$work/home/.config/tunevault/mp3.ini"

version=$(env -u DISPLAY "$binary" --version)
[[ $version == "tunevault "[0-9]* ]] || { echo "FAIL: --version printed '$version'"; exit 1; }

cat >"$work/session.sh" <<'SESSION'
set -euo pipefail
binary=$1; output=$2; work=$3; slowowner=$5
source "$4/sessionhelpers.sh"
openbox >/dev/null 2>&1 &
wm=$!
# As on a desktop, the window manager runs before the program starts: a
# window mapped while openbox is still taking over the screen may stay
# unmanaged and unmapped.
for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
tint2 -c "$4/tint2rc" >/dev/null 2>&1 &
bar=$!

# A launch while a running Tunevault answers late (a stand-in that takes 1 s
# to answer) shows no window of its own meanwhile, then hands its song over
# and exits 0. One that does not answer within 2 s (SIGSTOP) is said so, and
# no second player starts.
"$slowowner" 1 >"$work/slowowner.txt" &
owner=$!
trap 'kill -CONT $owner; kill $owner 2>/dev/null || true' EXIT
for _ in $(seq 50); do grep -q ready "$work/slowowner.txt" && break; sleep 0.1; done
(cd "$work"/other$'\xff' && timeout 20 "$binary" Handed.mp3) &
second=$!
sleep 0.5
shown=$(visible 'Tunevault song info' || true)
wait $second || fail "a launch while Tunevault answered late did not exit 0"
[[ -z $shown ]] || fail "a launch showed its window while a running Tunevault answered late"
grep -qx "Open file://$work/other%FF/Handed.mp3" "$work/slowowner.txt" ||
    fail "a launch while Tunevault answered late did not hand its song over"
kill -STOP $owner
started=$(date +%s%N)
if timeout 20 "$binary" 2>"$work/hung.txt"; then fail "a launch beside a hung Tunevault exited 0"; fi
(( $(date +%s%N) - started < 5000000000 )) || fail "a launch beside a hung Tunevault took 5 s or more"
grep -qx "Tunevault is running but does not answer" "$work/hung.txt" ||
    fail "a launch beside a hung Tunevault said: $(cat "$work/hung.txt")"
kill -CONT $owner
kill $owner
wait $owner || true

# Two launches at the same instant, twenty times: one player each time.
for try in $(seq 20); do
    "$binary" 2>/dev/null &
    one=$!
    "$binary" 2>/dev/null &
    two=$!
    # The later one hands over and ends; two players would both stay.
    for _ in $(seq 100); do
        running=0
        for pid in $one $two; do kill -0 $pid 2>/dev/null && running=$((running + 1)); done
        [[ $running -lt 2 ]] && break
        sleep 0.1
    done
    kill $one $two 2>/dev/null || true
    wait $one $two 2>/dev/null || true
    [[ $running == 1 ]] || fail "two launches at once gave $running players (try $try)"
    for _ in $(seq 50); do [[ -z "$(visible 'Tunevault song info')" ]] && break; sleep 0.1; done
done

# A launch while the first Tunevault of a fresh account asks for its folder
# hands over to it: one question.
questions() { xdotool search --onlyvisible --name '^Input mp3 directory' 2>/dev/null | wc -l; }
XDG_CONFIG_HOME="$work/fresh" "$binary" 2>/dev/null &
asking=$!
for _ in $(seq 100); do [[ $(questions) == 1 ]] && break; sleep 0.1; done
[[ $(questions) == 1 ]] || fail "a fresh account was not asked for its folder"
XDG_CONFIG_HOME="$work/fresh" timeout 20 "$binary" ||
    fail "a launch during the first-run question did not exit 0"
sleep 1
[[ $(questions) == 1 ]] || fail "a launch during the first-run question asked $(questions) times"
kill $asking
wait $asking || true

"$binary" 2>"$output/desktop-stderr.txt" &
app=$!
/usr/bin/python3 "$4/startupwatch.py" >"$work/startup.txt" &
watcher=$!
trap 'kill $app $wm $bar $watcher 2>/dev/null || true' EXIT
wait_for() { for _ in $(seq 300); do [[ -n "$(visible "$1")" ]] && return 0; sleep 0.1; done; return 1; }
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

wait_for 'Tunevault song info' ||
    fail "the song info window did not appear$(kill -0 $app 2>/dev/null || echo '; the program ended')"
expect tunevault -l
eval "$(xdotool getwindowgeometry --shell "$(visible 'Tunevault song info')")"
xdotool mousemove $((X + 150)) $((Y + 38)) click --repeat 2 --delay 80 1
wait_for 'Tunevault control panel' || fail "the control panel did not appear"
sleep 8 # the song info window's song fades out
[[ $(tint2_entries) == 1 ]] || fail "the taskbar shows $(tint2_entries) Tunevaults"
[[ $(taskbar_windows) == 1 ]] || fail "$(taskbar_windows) Tunevault windows ask for a taskbar entry"

# A second launch without songs raises the first one and leaves (timeout
# would end one that stayed, and fail). Its startup notification ends at once.
xdotool windowminimize --sync "$(visible Tunevault)"
grep -qx ready "$work/startup.txt" || fail "the startup notification watcher did not start"
DESKTOP_STARTUP_ID=e2e-launch_TIME0 timeout 20 "$binary" || fail "a second launch did not exit 0"
sleep 1
grep -qx "remove: ID=e2e-launch_TIME0" "$work/startup.txt" ||
    fail "a launch that handed over left its startup notification: $(cat "$work/startup.txt")"
wait_for Tunevault || fail "the second launch did not raise the main window"

# A second launch with a song hands it over: the first one plays it.
(cd "$work"/other$'\xff' && timeout 20 "$binary" Handed.mp3) || fail "a launch with a song did not exit 0"
expect "Handed title" metadata xesam:title
expect Playing status

# The Play key toggles while a Tunevault window has the focus.
xdotool windowactivate --sync "$(visible Tunevault)"
xdotool key XF86AudioPlay
expect Paused status
xdotool key XF86AudioPlay
expect Playing status

# Next on the last row of the song list opens no window.
for _ in 1 2 3 4; do ctl next; sleep 0.3; done
expect "Third title" metadata xesam:title
before=$(xdotool search --onlyvisible --name '.' | wc -l)
xdotool windowactivate --sync "$(visible Tunevault)"
xdotool key XF86AudioNext
sleep 1
after=$(xdotool search --onlyvisible --name '.' | wc -l)
[[ $after == "$before" ]] || fail "Next on the last row opened a window"

# Alt+F4 on the control panel asks whether to end the program.
xdotool windowactivate --sync "$(visible 'Tunevault control panel')"
xdotool key alt+F4
# Qt adds the program's name to a dialog's title: "Exit? — Tunevault".
asked=""
for _ in $(seq 50); do
    asked=$(xdotool search --onlyvisible --name '^Exit\?' 2>/dev/null | head -1 || true)
    [[ -n "$asked" ]] && break
    sleep 0.1
done
[[ -n "$asked" ]] || fail "Alt+F4 on the control panel asked nothing"
import -window root "$output/desktop-exit-question.png"
xdotool key Escape
sleep 0.5
kill -0 $app || fail "the program ended without a Yes"
echo "PASS: one Tunevault: raised and handed a song by a second launch; the Play key toggles;"
echo "      Next on the last row opens nothing; Alt+F4 asks; one taskbar entry"
SESSION

HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
    timeout 300 xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/session.sh" "$binary" "$output" "$work" \
    "$(dirname "$(realpath "$0")")" "$slowowner"
