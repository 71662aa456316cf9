#!/usr/bin/env bash
# Runs every benchmark of a build folder, prints the figures and keeps them
# in BUILD/figures.txt, then has write-figures.sh put them into
# bench/README.md: the figures there come from a run, never from a hand edit.
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

"$here/write-figures.sh" "$figures"
