#!/usr/bin/env bash
# Which system calls a running timer costs, and how many a second: strace -c over all of
# vesk's threads while it runs collapsed or on the focus tab, under Xvfb with a compositor.
# A figure, not a budget. Usage:
#   bench/timer_syscalls.sh VESK [collapsed|focus] [pomodoro|stopwatch] [SECONDS]
set -euo pipefail
seconds=${4:-10}
. "$(dirname "$0")/timer_session.sh"

start_timer
report=$(timeout -s INT "$seconds" strace -c -f -p "$vpid" 2>&1 || true)
echo "$place $mode: system calls per second over ${seconds} s"
echo "$report" | awk -v s="$seconds" '$NF ~ /^[a-z_0-9]+$/ && $4 ~ /^[0-9]+$/ && $NF != "total" {
    printf "  %-16s %6.1f\n", $NF, $4 / s; sum += $4 } END { printf "  %-16s %6.1f\n", "all", sum / s }'
