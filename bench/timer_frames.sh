#!/usr/bin/env bash
# How often a running timer wakes vesk and repaints its window: the store's ticks, the
# animation frames and the window's repaints per second, counted with uprobes (perf, as root)
# on the real vesk under Xvfb with a compositor. A figure, not a budget. Usage:
#   bench/timer_frames.sh VESK [collapsed|focus] [pomodoro|stopwatch] [SECONDS]
set -euo pipefail
seconds=${4:-10}
. "$(dirname "$0")/timer_session.sh"

gui=$(ldd "$vesk" | awk '/libQt6Gui/ {print $3}')
probe() { # probe NAME LIBRARY MANGLED-SYMBOL
    # A shared library's exported names carry a version (name@@Qt_6).
    address=$(nm -D --defined-only "$2" 2>/dev/null | awk -v s="$3" '$3 == s || index($3, s "@") == 1 {print $1}')
    [ -n "$address" ] || address=$(nm --defined-only "$2" 2>/dev/null | awk -v s="$3" '$3 == s {print $1}')
    perf probe -q -x "$2" -a "$1=0x$address" >/dev/null
}
perf probe -q -d 'probe_*:vesk_*' 2>/dev/null || true
probe vesk_store_tick "$vesk" _ZN4vesk5Store4tickEv
probe vesk_animation_frame "$vesk" _ZN4vesk16AnimationManager4tickEv
probe vesk_repaint "$(realpath "$gui")" _ZN13QBackingStore10beginPaintERK7QRegion

start_timer
counts=$(perf stat -x, -e 'probe_*:vesk_*' -p "$vpid" -- sleep "$seconds" 2>&1)
# Not in a trap: the X session's own trap ends vesk and the X server.
perf probe -q -d 'probe_*:vesk_*' 2>/dev/null || true
per_second() { echo "$counts" | awk -F, -v e="$1" -v s="$seconds" '$3 ~ e {printf "%.1f", $1 / s}'; }
echo "$place $mode: per second $(per_second store_tick) store ticks, $(per_second animation_frame) animation frames, $(per_second repaint) repaints"
