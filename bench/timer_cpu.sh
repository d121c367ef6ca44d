#!/usr/bin/env bash
# What a running timer costs on screen, the way a user's machine runs it: the real vesk under
# Xvfb with a compositor, its CPU time (utime + stime) over several windows, their median.
# A figure, not a budget. Usage:
#   bench/timer_cpu.sh VESK [collapsed|focus] [pomodoro|stopwatch] [WINDOWS] [SECONDS]
set -euo pipefail
windows=${4:-5}
seconds=${5:-20}
. "$(dirname "$0")/timer_session.sh"

start_timer
hz=$(getconf CLK_TCK)
ticks() { awk '{print $14 + $15}' "/proc/$vpid/stat"; }
figures=()
for _ in $(seq "$windows"); do
    before=$(ticks)
    sleep "$seconds"
    figures+=("$(( ($(ticks) - before) * 100000 / hz / seconds ))")
done
sorted=$(printf '%s\n' "${figures[@]}" | sort -n)
median=$(echo "$sorted" | sed -n "$(( (windows + 1) / 2 ))p")
show() { printf '%d.%03d' $(( $1 / 1000 )) $(( $1 % 1000 )); }
list=""
for figure in "${figures[@]}"; do list="$list $(show "$figure")"; done
echo "$place $mode: median $(show "$median") % of a core over ${seconds}-s windows (each:$list; load $(cut -d' ' -f1-3 /proc/loadavg))"
