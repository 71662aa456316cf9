#!/usr/bin/env bash
# Playing and idle, whole processes under Xvfb. A 192 kbps MP3 plays in
# Tunevault (its three windows shown) and in the floor, side by side, each
# into a sink of its own of the same kind, all measured over the same
# seconds, so that the machine's changing speed weighs on them alike: a
# silent sink at real speed, then a private PulseAudio server each with a
# null sink (whose processor time counts for its player). The floor is a bare
# `gst-launch-1.0 playbin` whose output is tuned as Tunevault's is, and a
# bare Qt window whose label changes once a second, as Tunevault's windows
# tick: their sum. The bare playbin alone (the earlier floor) is printed
# beside, and so are Tunevault's threads but the windows' one against it.
# Tunevault is measured once the song's status messages are over (the first
# 18 seconds of a song), as it plays most of a song. Also Tunevault idle with
# its windows shown, alone, and its peak memory while playing; and, for scale,
# a bare Qt window whose clock label changes once a second, and the decode
# floor, what decoding the song alone costs. The silent pairs and the idle
# figure are taken again with the accessibility bus up and a tool listening,
# as under a screen reader. Medians of the pairs.
# Usage: playing.sh TUNEVAULT TICKWINDOW [PAIRS] [SECONDS]
set -euo pipefail
here=$(dirname "$(realpath "$0")")
binary=$(realpath "$1")
tickwindow=$(realpath "$2")
source "$here/common.sh"
pairs=${3:-5}
seconds=${4:-20}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/home/.config/tunevault" "$work/music"
make_tone_mp3 $((seconds + 60)) "$work/music/Long_Song.mp3"
printf '[Settings]\nDIRECTORY=%s\n' "$work/music" >"$work/home/.config/tunevault/mp3.ini"

cat >"$work/measure.sh" <<'MEASURE'
set -euo pipefail
source "$1/common.sh"
binary=$2; tickwindow=$3; pairs=$4; seconds=$5; work=$6
tests="$1/../tests"
song="$work/music/Long_Song.mp3"
visible() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
double_click() { # window title, x, y within it
    eval "$(xdotool getwindowgeometry --shell "$(visible "$1")")"
    xdotool mousemove $((X + $2)) $((Y + $3)) click --repeat 2 --delay 80 1
}

# start_bare SINK SERVER: the bare player plays the song; sets bare. Its
# output is tuned as Tunevault's is: the decoder's frames joined into 100 ms
# buffers, and (given as part of SINK) the server's deeper buffer.
start_bare() {
    PULSE_SERVER=${2%%@*} gst-launch-1.0 -q playbin uri="file://$song" \
        audio-sink="audiobuffersplit output-buffer-duration=1/10 ! $1" >/dev/null 2>&1 &
    bare=$!
}

# pair SINK APP_SERVER BARE_SERVER IDLE ORDER: one pair, as the line "idle
# app bare clock threads peak_KiB" (clock: the bare ticking window; threads:
# Tunevault's but the windows' thread); idle is measured only when IDLE is
# "idle" ("-" otherwise). Each player reaches its sound server (or none) by the address
# given; a server's processor time counts for its player. ORDER says which
# player starts playing first ("app" or "bare"): the one started first tends to
# measure a few percent higher, so the pairs take turns.
pair() {
    local sink=$1 app_server=$2 bare_server=$3 idle=- bare
    PULSE_SERVER=${app_server%%@*} HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
        XDG_DATA_HOME="$work/home/.local/share" "$binary" 2>"$work/stderr.txt" &
    local app=$!
    for _ in $(seq 100); do [[ -n "$(visible 'Tunevault song info')" ]] && break; sleep 0.1; done
    sleep 1
    double_click 'Tunevault song info' 150 38
    sleep 10 # the start-up song fades out and stops
    [[ $4 == idle ]] && idle=$(cpu_percent "$seconds" $app)
    [[ $5 == bare ]] && start_bare "$sink" "$bare_server" && sleep 1
    double_click Tunevault 30 60 # the first row of the song list
    [[ $5 == app ]] && sleep 1 && start_bare "$sink" "$bare_server"
    sleep 20 # the song's status messages
    "$tickwindow" 2>/dev/null &
    local clock=$! shares
    sleep 1
    shares=$(cpu_percent_each "$seconds" "$app ${app_server#*@}" "$bare ${bare_server#*@}" \
        "$clock" "threads:$app")
    echo "$idle" $shares "$(awk '/VmHWM/ { print $2 }' "/proc/$app/status")"
    kill $app $bare $clock
    wait $app $bare $clock 2>/dev/null || true
}

# pairs_of NAME SINK SERVER SERVER IDLE: runs the pairs and reports them. The
# players take turns at starting first and at the two servers.
pairs_of() {
    : >"$work/pairs.txt"
    for i in $(seq "$pairs"); do
        if ((i % 2)); then
            pair "$2" "$3" "$4" "$5" app
        else
            pair "$2" "$4" "$3" "$5" bare
        fi >>"$work/pairs.txt"
    done
    local app bare
    app=$(cut -d' ' -f2 "$work/pairs.txt" | median)
    bare=$(cut -d' ' -f3 "$work/pairs.txt" | median)
    report_ratio "playing, $1" "$app" \
        "$(awk '{ print $3 + $4 }' "$work/pairs.txt" | median)" 1.05 "% of a core"
    report_scale "  against the bare playbin alone" "$app" "$bare" "% of a core"
    report_scale "  its threads but the windows' one, the same" \
        "$(cut -d' ' -f5 "$work/pairs.txt" | median)" "$bare" "% of a core"
}

# The silent pairs again with the desktop's accessibility bus up, Qt talking
# to it, and a tool listening to the names that labels announce, as a screen
# reader does: Tunevault and the floor's ticking window both speak to it.
with_accessibility_bus() {
    start_session_bus
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    local launcher=$! listener
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    sleep 1
    /usr/bin/python3 "$tests/e2e/accessible.py" announced 100000 >/dev/null 2>&1 &
    listener=$!
    pairs_of "with the accessibility bus and a tool" "fakesink sync=true" \
        "$nowhere" "$nowhere" idle
    report_limit "idle, the same" "$(cut -d' ' -f1 "$work/pairs.txt" | median)" 0.05 \
        "% of a core"
    kill $listener $launcher
    wait $listener $launcher 2>/dev/null || true
    unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON
    stop_session_bus
}

# A server is given as ADDRESS@PID; no server as an address that leads nowhere,
# where the program falls back to its silent sink.
nowhere=unix:/nonexistent@
PULSE_SERVER=${nowhere%@} HOME="$work/home" "$binary" 2>"$work/stderr.txt" &
probe=$!
sleep 3
kill $probe; wait $probe 2>/dev/null || true
if grep -q "playing silently" "$work/stderr.txt"; then
    pairs_of "into the silent sink" "fakesink sync=true" "$nowhere" "$nowhere" idle
    report_limit "idle with the windows shown" "$(cut -d' ' -f1 "$work/pairs.txt" | median)" \
        0.05 "% of a core"
    report_limit "peak memory while playing" \
        "$(cut -d' ' -f6 "$work/pairs.txt" | median | awk '{ print $1 / 1024 }')" 85 MiB
    with_accessibility_bus
else
    echo "playing into the silent sink: skipped, this machine has a sound device"
fi

# The decode floor: the processor time that decoding the song alone takes,
# as fast as it goes, per second of sound.
TIMEFORMAT='%U %S'
for _ in $(seq "$pairs"); do
    { time gst-launch-1.0 -q filesrc location="$song" ! decodebin ! fakesink sync=false \
        >/dev/null 2>&1; } 2>&1 | awk -v s=$((seconds + 60)) '{ print 100 * ($1 + $2) / s }'
done | median | awk '{ printf "%-48s %9.3f %% of a core (the floor under every player)\n",
    "decoding the song alone, per second of sound", $1 }'

for _ in $(seq "$pairs"); do
    "$tickwindow" 2>/dev/null &
    clock=$!
    sleep 3
    cpu_percent "$seconds" $clock
    kill $clock; wait $clock 2>/dev/null || true
done | median | awk '{ printf "%-48s %9.3f %% of a core (for scale, no goal)\n",
    "a bare Qt window, its label changed each second", $1 }'

servers=()
trap 'kill "${servers[@]}" 2>/dev/null || true' EXIT
for side in one two; do
    start_pulse "$work/pulse-$side"
    servers+=("$pulse_pid")
    declare "server_$side=$PULSE_SERVER@$pulse_pid"
done
unset PULSE_SERVER
pairs_of "into PulseAudio (with the server's share)" "pulsesink buffer-time=300000" \
    "$server_one" "$server_two" -
echo "($pairs pairs of $seconds s each)"
MEASURE

# The X server stays up between runs (-noreset): by default it resets when
# its last client leaves, and a program that starts meanwhile cannot connect.
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$work/measure.sh" "$here" "$binary" "$tickwindow" \
    "$pairs" "$seconds" "$work"
