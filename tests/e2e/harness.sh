# shellcheck shell=bash
# Sourced by the end-to-end tests: a work folder of the test's own, gone when
# the test ends, and the one way a session runs: under Xvfb with a home in
# the work folder and a limit on its time. A session that fails keeps its
# output (stderr, screenshots) in the output folder and says where.
# Sets work, output and e2e (this folder); the caller sets output first.
e2e=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
# shellcheck source=scripts/private-servers.sh
source "$e2e/../../scripts/private-servers.sh"
trap 'stop_pulse; stop_session_bus; rm -rf "$work"' EXIT
mkdir -p "$output" "$work/home/.config/tunevault" "$work/music"

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

# Runs a session script of this folder under an X server of its own, with
# the program's paths in the work folder; what it needs comes in the exported
# variables. Xvfb picks a free display itself (-displayfd), so sessions
# started at the same time never share one. It stays up between clients
# (-noreset): by default it resets when its last client leaves (a short-lived
# xdotool, the accessibility bus launcher), and the program, starting
# meanwhile, could not connect.
run_session() {
    export work output e2e
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$output/xvfb.txt" &
    local xvfb=$! status=0
    for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
    DISPLAY=":$(cat "$work/display")" HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
        XDG_DATA_HOME="$work/home/.local/share" XDG_CACHE_HOME="$work/home/.cache" \
        timeout 300 bash "$e2e/$1" || status=$?
    kill $xvfb
    wait $xvfb 2>/dev/null || true
    if ((status != 0)); then
        echo "The session's output and screenshots are kept in $output"
        return 1
    fi
}
