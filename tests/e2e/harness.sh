# shellcheck shell=bash
# Sourced by the end-to-end tests: a work folder of the test's own, gone when
# the test ends, and the one way a session runs: under Xvfb with a home in
# the work folder and a limit on its time. A session that fails keeps its
# output (stderr, screenshots) in the output folder and says where.
# Sets work, output and e2e (this folder); the caller sets output first.
e2e=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
bus_pid=""
trap '[[ -n "$bus_pid" ]] && kill "$bus_pid" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$output" "$work/home/.config/tunevault" "$work/music"

# A session bus of the test's own; exports DBUS_SESSION_BUS_ADDRESS.
private_bus() {
    local address
    read -r address bus_pid < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 |
        paste -sd ' ')
    export DBUS_SESSION_BUS_ADDRESS=$address
}

# Songs of a 330 Hz tone into the music folder, one for each title given.
make_songs() {
    local seconds=$1
    shift
    sox -n -r 44100 -c 2 "$work/tone.wav" synth "$seconds" sine 330 vol 0.3
    for name in "$@"; do
        lame --quiet -b 96 --tt "$name title" --ta "Test Artist" --tl "Test Album" --ty 2024 \
            "$work/tone.wav" "$work/music/$name.mp3"
    done
    printf '[Settings]\nDIRECTORY=%s\n' "$work/music" >"$work/home/.config/tunevault/mp3.ini"
}

# Runs a session script of this folder under Xvfb, with the program's paths
# in the work folder; what it needs comes in the exported variables.
run_session() {
    export work output e2e
    if ! HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
        XDG_DATA_HOME="$work/home/.local/share" XDG_CACHE_HOME="$work/home/.cache" \
        timeout 300 xvfb-run -a -s "-screen 0 1024x768x24" bash "$e2e/$1"; then
        echo "The session's output and screenshots are kept in $output"
        return 1
    fi
}
