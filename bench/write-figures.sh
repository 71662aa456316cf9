#!/usr/bin/env bash
# Writes the figures of a run (all.sh's figures.txt) into bench/README.md,
# between its markers, with the day, the machine and the commit. Only the
# lines that report a figure are kept: Google Benchmark's own rows are the
# raw material of the in-process figures.
# Usage: write-figures.sh FIGURES
set -euo pipefail
here=$(dirname "$(realpath "$0")")
figures=$1
machine="$(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)"
block=$(mktemp)
trap 'rm -f "$block"' EXIT
{
    echo "<!-- make bench: begin -->"
    echo "$(date -u +%F), $machine, commit $(git -C "$here" rev-parse --short HEAD 2>/dev/null || echo unknown):"
    echo
    echo '```'
    grep -v '^-\+$\|^Benchmark \|_mean \|_median \|_stddev \|_cv \|^Run on\|^CPU Caches\|^  L[0-9]\|^Load Average\|^\*\*\*\|^[0-9-]\+T[0-9:]\+\|^BM_' "$figures" || true
    echo '```'
    echo "<!-- make bench: end -->"
} >"$block"
awk -v block="$block" '
    /<!-- make bench: begin -->/ { while ((getline line < block) > 0) print line; skip = 1; next }
    /<!-- make bench: end -->/ { skip = 0; next }
    !skip' "$here/README.md" >"$here/README.md.new"
mv "$here/README.md.new" "$here/README.md"
echo "The figures are in bench/README.md."
