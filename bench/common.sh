# shellcheck shell=bash
# Helpers of the whole-process benchmarks, sourced by them.
# shellcheck source=scripts/private-servers.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/private-servers.sh"

# A 192 kbps stereo MP3 of a steady 440 Hz tone: make_tone_mp3 SECONDS FILE.
make_tone_mp3() {
    sox -n -r 44100 -c 2 "$2.wav" synth "$1" sine 440 vol 0.3
    lame --quiet -b 192 "$2.wav" "$2"
    rm "$2.wav"
}

# Processor time of a process and all its threads so far, in nanoseconds.
cpu_ns() {
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%d\n", s }'
}

# Processor time of a process's threads but its first (the windows' thread
# of a Qt program) so far, in nanoseconds.
other_threads_ns() {
    local task sum=0
    for task in /proc/"$1"/task/*; do
        [[ ${task##*/} == "$1" ]] && continue
        sum=$((sum + $(awk '{ print $1 }' "$task/schedstat" 2>/dev/null || echo 0)))
    done
    echo "$sum"
}

# Processor time of a group of processes together: group_ns "PID..."; an
# entry "threads:PID" counts that process's threads but its first.
group_ns() {
    local pid sum=0
    for pid in $1; do
        if [[ $pid == threads:* ]]; then
            sum=$((sum + $(other_threads_ns "${pid#threads:}")))
        else
            sum=$((sum + $(cpu_ns "$pid")))
        fi
    done
    echo "$sum"
}

# Percent of one core that each group of processes uses over the same
# seconds, one figure a line: cpu_percent_each SECONDS "PID..." "PID..."...
cpu_percent_each() {
    local seconds=$1 group i
    shift
    local -a before=()
    for group in "$@"; do before+=("$(group_ns "$group")"); done
    sleep "$seconds"
    i=0
    for group in "$@"; do
        awk -v d=$(($(group_ns "$group") - before[i++])) -v s="$seconds" \
            'BEGIN { printf "%.4f\n", 100 * d / 1e9 / s }'
    done
}

# Percent of one core that the processes use together over the seconds:
# cpu_percent SECONDS PID...
cpu_percent() {
    local seconds=$1
    shift
    cpu_percent_each "$seconds" "$*"
}

# The median of the numbers on standard input, one a line.
median() {
    sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

# Prints a figure against its goal: report NAME VALUE FLOOR GOAL_RATIO UNIT.
report_ratio() {
    awk -v n="$1" -v v="$2" -v f="$3" -v g="$4" -v u="$5" 'BEGIN {
        r = f > 0 ? v / f : 0
        printf "%-48s %9.3f %s vs floor %9.3f %s: ratio %.2f (goal: at most %.2f) %s\n",
            n, v, u, f, u, r, g, (r <= g ? "met" : "NOT MET") }'
}

# Prints a figure against its floor where no goal is set:
# report_scale NAME VALUE FLOOR UNIT.
report_scale() {
    awk -v n="$1" -v v="$2" -v f="$3" -v u="$4" 'BEGIN {
        printf "%-48s %9.3f %s vs floor %9.3f %s: ratio %.2f (no goal)\n",
            n, v, u, f, u, (f > 0 ? v / f : 0) }'
}

# Prints a figure against a limit: report_limit NAME VALUE LIMIT UNIT.
report_limit() {
    awk -v n="$1" -v v="$2" -v l="$3" -v u="$4" 'BEGIN {
        printf "%-48s %9.3f %s (goal: at most %s %s) %s\n", n, v, u, l, u, (v <= l ? "met" : "NOT MET") }'
}
