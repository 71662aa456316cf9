#!/usr/bin/env bash
# The command line with no display and no sound server: --help, --help-all
# and --version print and exit 0, an unknown option gives the usage on
# stderr and exit 2,
# and a file that is no MP3 is refused in one line before the display is
# even looked for.
# Usage: commandline_test.sh TUNEVAULT_BINARY
set -uo pipefail
binary=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { env -i PATH="$PATH" ASAN_OPTIONS=detect_leaks=0 PULSE_SERVER=unix:/nonexistent "$binary" "$@"; }
failed=0
check() { [[ $1 == 0 ]] || { echo "FAIL: $2"; failed=1; }; }

out=$(run --version); rc=$?
check $(( rc != 0 )) "--version exits 0 (got $rc)"
[[ $out == "tunevault "[0-9]* ]]; check $? "--version prints the version: $out"

for option in --help --help-all; do
    out=$(run $option); rc=$?
    check $(( rc != 0 )) "$option exits 0 (got $rc)"
    [[ $out == *"Usage: tunevault"*"song.mp3"* ]]; check $? "$option prints the usage: $out"
done

run --no-such-option >"$work/out" 2>"$work/err"; rc=$?
check $(( rc != 2 )) "an unknown option exits 2 (got $rc)"
[[ ! -s "$work/out" && $(cat "$work/err") == *"Usage: tunevault"* ]]
check $? "an unknown option prints the usage on stderr"

printf 'text' >"$work/notes.txt"
run "$work/notes.txt" "$work/missing.mp3" 2>"$work/err"; rc=$?
grep -q "not an MP3 file, left out: $work/notes.txt" "$work/err"; check $? "a text file is refused"
grep -q "not an MP3 file, left out: $work/missing.mp3" "$work/err"; check $? "a missing file is refused"
check $(( rc != 1 )) "without a display it then says so and exits 1 (got $rc)"
[[ $failed == 0 ]] && echo "command line: every check passed"
exit $failed
