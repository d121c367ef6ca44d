#!/usr/bin/env bash
# What a running timer costs on screen, the way a user's machine runs it: the real vesk under
# Xvfb with a compositor, its CPU time (utime + stime) over several windows, their median.
# A figure, not a budget. Usage:
#   bench/timer_cpu.sh VESK [collapsed|focus] [pomodoro|stopwatch] [WINDOWS] [SECONDS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
vesk=$(realpath "$1")
place=${2:-collapsed}
mode=${3:-pomodoro}
windows=${4:-5}
seconds=${5:-20}
# The X session finds its helpers next to the script that sources it, and takes the program
# from $1: the path made absolute above.
set -- "$vesk"
BASH_ARGV0="$here/../tests/app/$(basename "$0")"
. "$here/../tests/app/x_session.sh"
. "$here/../tests/app/vesk_process.sh"

options=(--timer "$mode")
[ "$place" = focus ] && options+=(--expand focus)
launch timer "${options[@]}"
xdotool mousemove 100 800
sleep 3 # past the opening transitions
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
