# Sourced by the end-to-end tests: a work folder and a session bus of the
# test's own, both gone when the test ends. Sets work and exports
# DBUS_SESSION_BUS_ADDRESS.
work=$(mktemp -d)
bus_pid=""
trap '[[ -n "$bus_pid" ]] && kill "$bus_pid" 2>/dev/null; rm -rf "$work"' EXIT
read -r bus_address bus_pid < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 |
    paste -sd ' ')
export DBUS_SESSION_BUS_ADDRESS=$bus_address
