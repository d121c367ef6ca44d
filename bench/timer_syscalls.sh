#!/usr/bin/env bash
# Which system calls a running timer costs, and how many a second: strace -c over all of
# vesk's threads while it runs collapsed or on the focus tab, under Xvfb with a compositor.
# A figure, not a budget. Usage:
#   bench/timer_syscalls.sh VESK [collapsed|focus] [pomodoro|stopwatch] [SECONDS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
vesk=$(realpath "$1")
place=${2:-collapsed}
mode=${3:-stopwatch}
seconds=${4:-10}
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
report=$(timeout -s INT "$seconds" strace -c -f -p "$vpid" 2>&1 || true)
echo "$place $mode: system calls per second over ${seconds} s"
echo "$report" | awk -v s="$seconds" '$NF ~ /^[a-z_0-9]+$/ && $4 ~ /^[0-9]+$/ && $NF != "total" {
    printf "  %-16s %6.1f\n", $NF, $4 / s; sum += $4 } END { printf "  %-16s %6.1f\n", "all", sum / s }'
