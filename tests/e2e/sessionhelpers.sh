# Sourced by the end-to-end sessions that drive the program with playerctl
# and xdotool. fail() also keeps a screenshot of the screen, in $output. A
# command that ends the session through set -e names itself and its line.
trap 'echo "FAIL: line $LINENO: \"$BASH_COMMAND\" exited $?"' ERR
fail() {
    echo "FAIL: $*"
    import -window root "$output/e2e-failed.png" 2>/dev/null || true
    exit 1
}
# The id of the visible window with exactly this title, or nothing.
visible() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
ctl() { playerctl -p tunevault "$@" 2>/dev/null || true; }
# Waits up to 5 s until the playerctl command prints the expected text.
expect() {
    local want=$1
    shift
    for _ in $(seq 50); do [[ "$(ctl "$@")" == "$want" ]] && return 0; sleep 0.1; done
    fail "playerctl $* printed '$(ctl "$@")', not '$want'"
}
