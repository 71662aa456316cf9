#!/usr/bin/env bash
# The in-process benchmarks (three repetitions, their aggregates), then the
# paired tag-reading figure against its goal.
# Usage: inprocess.sh TUNEVAULT_BENCH
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/common.sh"
output=$(mktemp)
trap 'rm -f "$output"' EXIT
"$1" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true | tee "$output"
line=$(grep '^TagReadingAgainstFloor.*_median' "$output")
counter() { grep -o "$1=[0-9.]*[kmM]\?" <<<"$line" | cut -d= -f2; }
report_ratio "tag reading, 10,000 files (in-process pairs)" "$(counter tags_ms)" \
    "$(counter floor_ms)" 1.1 ms
