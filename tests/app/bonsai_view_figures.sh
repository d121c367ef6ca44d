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
# traced: strace ($tracer) has attached to vesk's main thread.
traced() { grep -q "^TracerPid:[[:space:]]*$tracer\$" "/proc/$vpid/status"; }
# trace: the main thread's polls from now on, into $work/polls.
trace() {
    strace -ttt -T -e trace=poll,ppoll -p "$vpid" -o "$work/polls" 2>/dev/null &
    tracer=$!
    wait_until 30 "strace did not attach to vesk" traced
}
# polled_since SINCE: the main thread has come back to its event loop after SINCE (epoch
# seconds): a stall under way then has ended and is in the trace.
polled_since() {
    awk -v since="$1" '$2 ~ /^p?poll\(/ && $1 >= since { found = 1 } END { exit !found }' "$work/polls"
}
# at_rest: vesk has done what it does after a launch and now hardly uses a core.
at_rest() { [ "$(cpu_per_mille 1)" -lt 50 ]; }
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

# The reveal panel hangs 10 right of the tarnel; its tree stands in the 170 × 170 square 40
# into it, below the screen's top 30. brightness X Y W H: the mean of a region of the screen, 0…255.
reveal_x=$((800 + 220 + 10 + 40))
brightness() { import -window root -crop "$3x$4+$1+$2" -colorspace gray -format '%[fx:int(255*mean)]' info:; }
# reveal_growing: the panel shows a lit tree. reveal_cleared: it has gone, and the screen
# there looks like the screen far to its right.
reveal_growing() { [ "$(brightness "$reveal_x" 30 170 170)" -gt 12 ]; }
reveal_cleared() {
    panel=$(brightness "$reveal_x" 30 170 170)
    desktop=$(brightness $((reveal_x + 330)) 30 170 170)
    seen="panel $panel, desktop $desktop"
    [ "$panel" -eq "$desktop" ]
}

# tree_shown_ms SINCE: polls the card's sky until it is no longer black and prints the ms
# from SINCE (epoch seconds); gives up after 30 s.
tree_shown_ms() {
    while [ "$(screen_pixel "$sky_x" "$sky_y")" = '#000000' ]; do
        awk -v now="$(now)" -v since="$1" 'BEGIN { exit !(now - since > 30) }' && break
    done
    awk -v now="$(now)" -v since="$1" 'BEGIN { printf "%.0f", (now - since) * 1000 }'
}

# open_bonsai WHAT: expands, opens the bonsai tab as soon as the tarnel shows open and prints
# when the tree showed and the longest stall.
open_bonsai() {
    trace
    mark=$(now)
    xdotool key alt+space
    opened "$1"
    tab=$(now)
    xdotool key ctrl+2
    shown=$(tree_shown_ms "$tab")
    # A stall of seconds on a busy machine ends before the trace does.
    wait_until 120 "$1: the main thread did not come back to its loop" polled_since "$(now)"
    echo "$1: tree shown $shown ms after the tab's keys, longest main-thread stall $(longest_stall "$mark") ms"
}

launch tab --seed 12345 --iter 3000
wait_until 120 "tab: vesk did not come to rest after its launch" at_rest
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
# dragging: the pointer has left where the drag began.
dragging() { [ "$(xdotool getmouselocation --shell | sed -n 's/^X=//p')" -gt "$card_x" ]; }
wait_until 30 "the drag did not start" dragging
echo "bonsai tab dragged: $(cpu_per_mille 4) per mille of a core"
wait "$dragger" || true
xdotool mouseup 1
bonsai=$(rss_mb)
xdotool key Escape
closed Escape
# Samples of the memory at set times after the collapse: the times are what these figures are of.
sleep 5
soon=$(rss_mb)
sleep 5
ten=$(rss_mb)
sleep 5
after=$(rss_mb)
open_bonsai "expand and bonsai tab again, 15 s after the last"
quit tab

launch tick --seed 12345 --iter 3000
wait_until 120 "tick: vesk did not come to rest after its launch" at_rest
xdotool key alt+space
opened "alt+space"
wait_until 30 "the add field did not take the keyboard" add_field_focused
xdotool type --delay 40 "Water the moss"
xdotool key Return
wait_until 30 "the new task did not show" row_shown 1
tasks=$(rss_mb)
echo "resident memory: collapsed $collapsed MB, tasks $tasks MB, bonsai $bonsai MB, collapsed 5 s later $soon MB, 10 s later $ten MB, 15 s later $after MB (anonymous + file-backed)"
xdotool mousemove 629 133
trace
mark=$(now)
xdotool click 1
wait_until 60 "the growth of the completed task showed no reveal panel" reveal_growing
wait_until 120 "the reveal panel did not clear" reveal_cleared
wait_until 120 "the main thread did not come back to its loop after the reveal" polled_since "$(now)"
echo "first growth reveal: longest main-thread stall $(longest_stall "$mark") ms"
quit tick
