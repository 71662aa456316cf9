#!/usr/bin/env bash
# Start-up as a user sees it, whole processes in paired runs under Xvfb, with
# a session bus and a PulseAudio server of the script's own running, as on
# every desktop: the time from launch until the song info window is mapped,
# with 1,000, 10,000 and 100,000 songs, against the floor: a bare frameless
# Qt window that asks the session bus once whether a name is owned and lays
# out one line of text in a QLineEdit, as every single-instance desktop
# program does before its window (from 10,000 songs, after a bare
# std::filesystem listing and sort of the folder). The earlier floor, the
# window alone, is printed beside. Also Tunevault's peak memory at that
# moment. Medians of the runs (the three take turns), the slowest run with
# 1,000 songs, and the growth from 10,000 to 100,000 songs.
# Usage: startup.sh TUNEVAULT MAPWATCH FLOORWINDOW [PAIRS]
set -euo pipefail
here=$(dirname "$(realpath "$0")")
binary=$(realpath "$1")
mapwatch=$(realpath "$2")
floor=$(realpath "$3")
source "$here/common.sh"
pairs=${4:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Every song is a hard link to one of a few short real MP3s (a file takes at
# most 65,000 links), so the song played at start-up is real and the folders
# take no room.
make_tone_mp3 5 "$work/tone.mp3"
for copy in 0 1 2 3; do cp "$work/tone.mp3" "$work/tone$copy.mp3"; done
for count in 1000 10000 100000; do
    folder="$work/songs$count"
    mkdir -p "$folder" "$work/home$count/.config/tunevault"
    perl -e 'my ($work, $folder, $count) = @ARGV;
        for my $i (0 .. $count - 1) {
            link sprintf("%s/tone%d.mp3", $work, $i % 4),
                sprintf("%s/Artist %d - Song_%d.mp3", $folder, $i % 997, $i) or die "$!";
        }' "$work" "$folder" "$count"
    printf '[Settings]\nDIRECTORY=%s\n' "$folder" >"$work/home$count/.config/tunevault/mp3.ini"
done

cat >"$work/measure.sh" <<'MEASURE'
set -euo pipefail
source "$1/common.sh"
binary=$2; mapwatch=$3; floor=$4; pairs=$5; work=$6
title="Tunevault song info"
export XDG_RUNTIME_DIR="$work"
# A desktop's locale, whose collation sorts the song list (C has none).
export LANG=en_US.UTF-8
start_session_bus
start_pulse "$work/pulse"
trap 'stop_pulse; stop_session_bus' EXIT
tunevault() {
    HOME="$work/home$1" XDG_CONFIG_HOME="$work/home$1/.config" \
        XDG_DATA_HOME="$work/home$1/.local/share" "$mapwatch" "$title" 30000 "$binary" 2>/dev/null
}
for count in 1000 10000 100000; do
    folder="$work/songs$count"
    floor_args=("$title")
    [[ $count -gt 1000 ]] && floor_args+=("$folder")
    tunevault "$count" >/dev/null # the folder and the program come into the file cache
    : >"$work/bare.txt"
    : >"$work/floor.txt"
    : >"$work/app.txt"
    for _ in $(seq "$pairs"); do
        "$mapwatch" "$title" 30000 "$floor" "${floor_args[@]}" >>"$work/bare.txt"
        "$mapwatch" "$title" 30000 "$floor" --desktop "${floor_args[@]}" >>"$work/floor.txt"
        tunevault "$count" >>"$work/app.txt"
    done
    floor_ms=$(cut -d' ' -f1 "$work/floor.txt" | median)
    app_ms[count]=$(cut -d' ' -f1 "$work/app.txt" | median)
    app_mib[count]=$(cut -d' ' -f2 "$work/app.txt" | median | awk '{ print $1 / 1024 }')
    shown=$(sed ':a; s/\B[0-9]\{3\}\b/,&/; ta' <<<"$count")
    echo "runs with $shown songs (ms): $(cut -d' ' -f1 "$work/app.txt" | tr '\n' ' ')"
    case $count in
    1000)
        report_ratio "start to song info window, 1,000 songs" "${app_ms[count]}" "$floor_ms" 1.5 ms
        slowest=$(cut -d' ' -f1 "$work/app.txt" | sort -g | tail -1)
        report_ratio "  the slowest of $pairs runs" "$slowest" "$floor_ms" 2 ms
        ;;
    10000)
        report_scale "start to song info window, 10,000 songs" "${app_ms[count]}" "$floor_ms" ms
        ;;
    100000)
        report_ratio "start to song info window, 100,000 songs" "${app_ms[count]}" "$floor_ms" 1.3 ms
        ;;
    esac
    report_scale "  against the window alone (the earlier floor)" "${app_ms[count]}" \
        "$(cut -d' ' -f1 "$work/bare.txt" | median)" ms
    report_limit "peak memory at the song info window, $shown" "${app_mib[count]}" 50 MiB
done
report_ratio "start-up time, 100,000 songs against 10,000" "${app_ms[100000]}" "${app_ms[10000]}" 10 ms
report_ratio "peak memory, 100,000 songs against 10,000" "${app_mib[100000]}" "${app_mib[10000]}" \
    10 MiB
echo "($pairs runs each; floor: a bare frameless window that asks the session bus once and lays"
echo " out a line of text; from 10,000 songs a bare listing and sort first; growth at most 10 is"
echo " at most linear)"
MEASURE

# The X server stays up between runs (-noreset): by default it resets when
# its last client leaves, and a program that starts meanwhile cannot connect.
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$work/measure.sh" "$here" "$binary" "$mapwatch" \
    "$floor" "$pairs" "$work"
