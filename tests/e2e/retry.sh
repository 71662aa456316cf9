#!/usr/bin/env bash
# Runs an end-to-end test, and once more if it fails: on a machine loaded by
# the other tests, a session under Xvfb now and then misses its time. A
# second failure fails the test; the first one's output is kept above it.
# Usage: retry.sh COMMAND...
"$@" && exit 0
echo "--- the first run failed; running once more ---"
"$@"
