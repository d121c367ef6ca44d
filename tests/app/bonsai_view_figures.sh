#!/bin/sh
# Figures of the live 3D views in the real vesk under Xvfb with a compositor (Mesa's software
# GL), printed, with no budget:
#   - the longest stretch the main thread spends away from its event loop (between two
#     polls, traced with strace) over the first expand of a session and the opening of the
#     bonsai tab right after it, over the same once the 3D views have let go of GL, and after
#     the first completed task of another session, whose growth the reveal panel shows;
#   - the CPU share of the open tab left alone and while the tree is dragged round;
#   - how long the bonsai tab takes to show its tree after the keys that open it, the first
#     time and again once the 3D views have let go of GL;
#   - the resident memory collapsed, on the tasks tab, on the bonsai tab, and collapsed again
#     5, 10 and 15 s after it, each as anonymous + file-backed (the pages of shared libraries,
#     mostly Mesa's and LLVM's code: shared with other processes, and LLVM is never unloaded).
# Not a test: run it by hand, tests/app/bonsai_view_figures.sh path/to/vesk
set -eu
vesk=$(realpath "$1")
app_tests="$(cd "$(dirname "$0")" && pwd)"
. "$app_tests/x_session.sh"
. "$app_tests/vesk_process.sh"
unset VESK_KEEP VESK_SHOW_HELP VESK_TOUR_AUTOPLAY VESK_VIDEO 2>/dev/null || true

# rss_mb: resident MB, as total (anonymous + file-backed).
rss_mb() {
    awk '/^Rss:/ { rss = $2 } /^Anonymous:/ { anon = $2 }
        END { printf "%.0f (%.0f + %.0f)", rss / 1024, anon / 1024, (rss - anon) / 1024 }' \
        "/proc/$vpid/smaps_rollup"
}
now() { date +%s.%N; }
# trace: the main thread's polls from now on, into $work/polls.
trace() {
    strace -ttt -T -e trace=poll,ppoll -p "$vpid" -o "$work/polls" 2>/dev/null &
    tracer=$!
    sleep 1
}
# longest_stall SINCE: the longest time in ms between the end of one poll and the start of
# the next, from SINCE (epoch seconds) on.
longest_stall() {
    kill "$tracer" 2>/dev/null || true
    wait "$tracer" 2>/dev/null || true
    awk -v since="$1" '
        $2 ~ /^p?poll\(/ {
            start = $1
            if (match($0, /<[0-9.]+>$/)) duration = substr($0, RSTART + 1, RLENGTH - 2); else duration = 0
            if (seen && start >= since && start - end > most) most = start - end
            end = start + duration; seen = 1
        }
        END { printf "%.0f", most * 1000 }' "$work/polls"
}

# The tarnel (440 wide) centred on the 1600-pixel screen: the card of the bonsai tab is 378 ×
# 316, 31 in and 38 down; the first row's check circle is at (629, 133).
card_x=$((800 - 220 + 31 + 189)) card_y=$((38 + 158))
# A point of the card's sky, clear of the caption: black until the first frame shows.
sky_x=$((800 - 220 + 31 + 340)) sky_y=$((38 + 30))

# tree_shown_ms SINCE: polls the card's sky until it is no longer black and prints the ms
# from SINCE (epoch seconds); gives up after 30 s.
tree_shown_ms() {
    while [ "$(screen_pixel "$sky_x" "$sky_y")" = '#000000' ]; do
        awk -v now="$(now)" -v since="$1" 'BEGIN { exit !(now - since > 30) }' && break
    done
    awk -v now="$(now)" -v since="$1" 'BEGIN { printf "%.0f", (now - since) * 1000 }'
}

# open_bonsai WHAT: expands, opens the bonsai tab at once and prints when the tree showed
# and the longest stall.
open_bonsai() {
    trace
    mark=$(now)
    xdotool key alt+space
    sleep 0.3
    tab=$(now)
    xdotool key ctrl+2
    shown=$(tree_shown_ms "$tab")
    # Long enough for a stall of seconds on a busy machine to end before the trace does.
    sleep 8
    echo "$1: tree shown $shown ms after the tab's keys, longest main-thread stall $(longest_stall "$mark") ms"
}

launch tab --seed 12345 --iter 3000
sleep 6
collapsed=$(rss_mb)
open_bonsai "first expand and bonsai tab"
echo "bonsai tab at rest: $(cpu_per_mille 10) per mille of a core"
xdotool mousemove "$card_x" "$card_y" mousedown 1
(
    i=0
    while [ $i -lt 120 ]; do
        xdotool mousemove_relative -- 4 0
        sleep 0.04
        i=$((i + 1))
    done
) &
dragger=$!
sleep 0.5
echo "bonsai tab dragged: $(cpu_per_mille 4) per mille of a core"
wait "$dragger" || true
xdotool mouseup 1
sleep 1
bonsai=$(rss_mb)
xdotool key Escape
sleep 5
soon=$(rss_mb)
sleep 5
ten=$(rss_mb)
sleep 5
after=$(rss_mb)
open_bonsai "expand and bonsai tab again, 15 s after the last"
quit tab

launch tick --seed 12345 --iter 3000
sleep 6
xdotool key alt+space
sleep 1
xdotool type --delay 40 "Water the moss"
xdotool key Return
sleep 2
tasks=$(rss_mb)
echo "resident memory: collapsed $collapsed MB, tasks $tasks MB, bonsai $bonsai MB, collapsed 5 s later $soon MB, 10 s later $ten MB, 15 s later $after MB (anonymous + file-backed)"
xdotool mousemove 629 133
trace
mark=$(now)
xdotool click 1
sleep 8
echo "first growth reveal: longest main-thread stall $(longest_stall "$mark") ms"
quit tick
