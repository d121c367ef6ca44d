#!/usr/bin/env bash
# What the open bonsai tab costs on Mesa's software GL: the process CPU time (utime + stime)
# as a share of one core and the 3D view's frames a second, left alone and while the tree
# is dragged round, each the median of several windows. Frames are counted with a uprobe
# (perf, as root) on the real vesk under Xvfb with a compositor. A figure, not a budget.
# Usage: bench/bonsai_view_cpu.sh VESK [WINDOWS] [SECONDS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
vesk=$(realpath "$1")
windows=${2:-5}
seconds=${3:-4}
# The X session finds its helpers next to the script that sources it.
BASH_ARGV0="$here/../tests/app/$(basename "$0")"
. "$here/../tests/app/x_session.sh"
. "$here/../tests/app/vesk_process.sh"

# A name of its own: other probes on the machine are left alone.
event=scene_frame_$$
address=$(nm --defined-only "$vesk" | awk '$3 == "_ZN4vesk11SceneFrames6renderERKNS_5scene5SceneERKNS1_4NodeE5QSized" {print $1}')
perf probe -q -x "$vesk" -a "$event=0x$address" >/dev/null
drop_probe() { perf probe -q -d "probe_*:$event" 2>/dev/null || true; }
trap 'drop_probe; cleanup' EXIT

launch tab --seed 12345 --iter 3000 --expand bonsai
wait_until 30 "no tree in the bonsai tab's card" tree_drawn
sleep 2 # past the opening

# window: one line "CPU-SHARE FRAMES-A-SECOND" over $seconds.
window() {
    local before counts
    before=$(cpu_ns)
    counts=$(perf stat -x, -e "probe_*:$event" -p "$vpid" -- sleep "$seconds" 2>&1)
    awk -v a="$before" -v b="$(cpu_ns)" -v s="$seconds" -v c="$counts" \
        'BEGIN { split(c, f, ","); printf "%.3f %.1f\n", (b - a) / 1e9 / s, f[1] / s }'
}
median() { sort -n -k"$1" | awk -v k="$1" '{ v[NR] = $k } END { print v[int((NR + 1) / 2)] }'; }

rest=$(for _ in $(seq "$windows"); do window; done)
is_open || fail "the tarnel closed while the tab was measured"

# The middle of the tab's card: 31 into the 440-wide tarnel centred on the 1600-pixel screen
# and 38 down, 378 × 316.
card_x=$((800 - 220 + 31 + 189)) card_y=$((38 + 158))
xdotool mousemove "$card_x" "$card_y" mousedown 1
(
    # Back and forth, so that the pointer stays on the card however long the windows take.
    step=4
    while :; do
        for _ in $(seq 25); do
            xdotool mousemove_relative -- "$step" 0
            sleep 0.04
        done
        step=$((-step))
    done
) &
dragger=$!
sleep 0.5
dragged=$(for _ in $(seq "$windows"); do window; done)
is_open || fail "the tarnel closed while the tree was dragged"
kill "$dragger"
xdotool mouseup 1
quit tab

echo "bonsai tab at rest: $(echo "$rest" | median 1) of a core, $(echo "$rest" | median 2) frames a second"
echo "bonsai tab dragged: $(echo "$dragged" | median 1) of a core, $(echo "$dragged" | median 2) frames a second"
