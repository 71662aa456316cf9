# shellcheck shell=bash disable=SC2154 # output comes from the session's caller
# Sourced by the end-to-end sessions that drive the program with xdotool and
# playerctl. fail() also keeps a screenshot of the screen, in $output. A
# command that ends the session through set -e names itself and its line.
trap 'echo "FAIL: line $LINENO: \"$BASH_COMMAND\" exited $?"' ERR
fail() {
    echo "FAIL: $*"
    import -window root "$output/e2e-failed.png" 2>/dev/null || true
    exit 1
}
# The time in milliseconds, and a deadline the given seconds (decimals too)
# from now.
now_ms() { echo $((${EPOCHREALTIME/./} / 1000)); }
deadline_in() { echo $(($(now_ms) + $(awk -v s="$1" 'BEGIN { print int(s * 1000) }'))); }
# Waits until the command succeeds, at most the given seconds (generous: a
# loaded machine is slow, and a quick one ends the wait early), or fails
# saying what did not happen.
wait_until() {
    local seconds=$1 what=$2
    shift 2
    local deadline
    deadline=$(deadline_in "$seconds")
    until "$@"; do
        (($(now_ms) < deadline)) || fail "$what did not happen within $seconds s"
        sleep 0.1
    done
}
# Checks that the command does not succeed for the given seconds: the one
# place where a session waits out a fixed time.
nothing_within() {
    local seconds=$1 what=$2
    shift 2
    local deadline
    deadline=$(deadline_in "$seconds")
    while (($(now_ms) < deadline)); do
        if "$@"; then fail "$what"; fi
        sleep 0.1
    done
}
# The id of the visible window with exactly this title, or nothing.
visible() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
shown() { [[ -n "$(visible "$1")" ]]; }
gone() { [[ -z "$(visible "$1")" ]]; }
ctl() { playerctl -p tunevault "$@" 2>/dev/null || true; }
says() {
    local want=$1
    shift
    [[ "$(ctl "$@")" == "$want" ]]
}
# Waits until the playerctl command prints the expected text.
expect() {
    local want=$1
    shift
    wait_until 20 "playerctl $* printing '$want'" says "$want" "$@"
}
# Double-clicks "Double click here to continue", 122 x 31 pixels into the
# song info window.
continue_from_song_info() {
    eval "$(xdotool getwindowgeometry --shell "$(visible 'Tunevault song info')")"
    xdotool mousemove $((X + 150)) $((Y + 38)) click --repeat 2 --delay 80 1
}
