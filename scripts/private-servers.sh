# shellcheck shell=bash
# Servers of a test's or a benchmark's own, sourced by them: a session bus
# and a PulseAudio server that no desktop shares.

# A private PulseAudio server with a null sink, on a socket in the folder;
# sets PULSE_SERVER and pulse_pid. Stopped by stop_pulse.
start_pulse() {
    local dir=$1
    mkdir -p "$dir"
    HOME="$dir" XDG_RUNTIME_DIR="$dir" PULSE_RUNTIME_PATH="$dir" pulseaudio -n --daemonize=no \
        --exit-idle-time=-1 --use-pid-file=no -L module-null-sink \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$dir/native" 2>/dev/null &
    pulse_pid=$!
    export PULSE_SERVER="unix:$dir/native"
    for _ in $(seq 100); do pactl info >/dev/null 2>&1 && return 0; sleep 0.1; done
    echo "the private PulseAudio server did not start" >&2
    return 1
}

stop_pulse() {
    [[ -n "${pulse_pid:-}" ]] || return 0
    kill "$pulse_pid" 2>/dev/null || true
    wait "$pulse_pid" 2>/dev/null || true
    unset PULSE_SERVER
}

# A private session bus; sets DBUS_SESSION_BUS_ADDRESS and bus_pid. Stopped
# by stop_session_bus.
start_session_bus() {
    local started
    started=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
    export DBUS_SESSION_BUS_ADDRESS=${started%%$'\n'*}
    bus_pid=${started##*$'\n'}
}

stop_session_bus() {
    unset DBUS_SESSION_BUS_ADDRESS
    [[ -n "${bus_pid:-}" ]] || return 0
    kill "$bus_pid" 2>/dev/null || true
}
