#!/usr/bin/env bash
# Runs every benchmark of a build folder, prints the figures and keeps them
# in BUILD/figures.txt, then writes them into bench/README.md (between its
# markers) with the date and the machine: the figures there come from this
# run, never from a hand edit.
# Usage: all.sh BUILD_FOLDER
set -euo pipefail
here=$(dirname "$(realpath "$0")")
build=$1
figures="$build/figures.txt"
{
    "$here/inprocess.sh" "$build/bench/tunevault_bench"
    "$here/songmemory.sh" "$build/bench/songmemory"
    "$here/startup.sh" "$build/tunevault" "$build/bench/mapwatch" "$build/bench/floorwindow"
    "$here/playing.sh" "$build/tunevault" "$build/bench/tickwindow"
    "$here/volumelatency.sh" "$build/bench/volumelatency"
} | tee "$figures"

machine="$(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)"
block=$(mktemp)
trap 'rm -f "$block"' EXIT
{
    echo "<!-- make bench: begin -->"
    echo "$(date -u +%F), $machine, commit $(git -C "$here" rev-parse --short HEAD 2>/dev/null || echo unknown):"
    echo
    echo '```'
    grep -v '^BM_\|^---\|^Benchmark\|^Run on\|^CPU Caches\|^  L[0-9]\|^Load Average\|^\*\*\*' "$figures" || true
    echo '```'
    echo "<!-- make bench: end -->"
} >"$block"
awk -v block="$block" '
    /<!-- make bench: begin -->/ { while ((getline line < block) > 0) print line; skip = 1; next }
    /<!-- make bench: end -->/ { skip = 0; next }
    !skip' "$here/README.md" >"$here/README.md.new"
mv "$here/README.md.new" "$here/README.md"
echo "The figures are in bench/README.md."
