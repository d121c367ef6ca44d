#!/bin/sh
# The focus tab on the real vesk: Ctrl+3 opens it, a click on play starts a pomodoro, Space
# pauses it: the data file holds a paused pomodoro with about 2 s run. A second start on that
# file: Space resumes it on the focus tab, and the running tab costs little CPU (the figure is
# printed; the bound here is looser than the 3 % aimed at, for busy machines).
set -eu
. "$(dirname "$0")/x_session.sh"

# openFocusTab: a click on the pill opens the tarnel, Ctrl+3 picks the focus tab.
openFocusTab() {
    sleep 0.3
    xdotool mousemove 800 12 click 1
    sleep 0.8
    xdotool key ctrl+3
    sleep 0.8
}
# expectPaused LOW HIGH: the saved timer is a paused pomodoro that has run LOW to HIGH seconds.
expectPaused() {
    mode=$("$json_check" "$TARNEL_DATA" /timer/mode)
    ran=$("$json_check" "$TARNEL_DATA" /timer/accumulated)
    [ "$mode" = pomodoro ] || fail "the timer is a $mode"
    ! "$json_check" "$TARNEL_DATA" /timer/runningSince > /dev/null 2>&1 || fail "the timer still runs"
    awk -v low="$1" -v high="$2" -v v="$ran" 'BEGIN { exit !(v >= low && v <= high) }' ||
        fail "the timer ran $ran s, not $1 to $2"
    echo "paused after $ran s"
}

launch first
openFocusTab
xdotool mousemove 800 288 click 1   # play, under the dial and the task picker
sleep 2
xdotool key space
sleep 0.2
quit first
expectPaused 1.5 3.5

launch second
openFocusTab
xdotool mousemove 800 600   # off the tarnel
xdotool key space
sleep 1
running=$(cpu_per_mille 10)
echo "focus tab with a running pomodoro: $running per mille of one core"
keeps_budget [ "$running" -lt 60 ] || fail "the running focus tab costs $running per mille of one core"
xdotool key space
sleep 0.2
quit second
expectPaused 12 15
echo "ok"
