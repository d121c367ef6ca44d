#!/bin/sh
# The X server ends 50 ms after the task typed with Return shows in the list (well within the
# 0.4 s before its save), as at a logout whose display manager stops the server before the
# programs in it get a signal: Qt ends vesk at once, and the task is in the data file all the
# same. Five times, each on a new server.
set -eu
. "$(dirname "$0")/x_session.sh"

# row_arriving: something of the first task row is drawn (it may still be fading in).
row_arriving() {
    seen=$(import -window root -crop 360x26+612+118 -colorspace gray -format '%[fx:int(255*maxima)]' info:)
    [ "$seen" -gt 60 ]
}

for round in 1 2 3 4 5; do
    [ "$round" = 1 ] || start_x
    launch "round$round"
    xdotool key alt+space
    wait_until 30 "round $round: Alt+Space did not focus the add field" add_field_focused
    xdotool type --delay 40 "Task $round"
    xdotool key Return
    wait_until 30 "round $round: the task did not show" row_arriving
    sleep 0.05
    kill "$xvfb"
    wait_until 30 "round $round: vesk outlived its X server" gone "$vpid"
    wait "$vpid" || true # its lock is let go once every thread has ended
    grep -q "\"Task $round\"" "$TARNEL_DATA" ||
        fail "round $round: the task was lost: $(cat "$TARNEL_DATA" "$work/round$round.err")"
done
echo "ok"
