#!/bin/sh
# The X server ends 50 ms after Return adds a task, as at a logout whose display manager stops
# the server before the programs in it get a signal: Qt ends vesk at once, and the task is in
# the data file all the same. Five times, each on a new server.
set -eu
. "$(dirname "$0")/x_session.sh"

for round in 1 2 3 4 5; do
    [ "$round" = 1 ] || start_x
    launch "round$round"
    xdotool key alt+space
    wait_until 30 "round $round: Alt+Space did not focus the add field" add_field_focused
    xdotool type --delay 40 "Task $round"
    xdotool key Return
    sleep 0.05
    kill "$xvfb"
    wait_until 30 "round $round: vesk outlived its X server" gone "$vpid"
    grep -q "\"Task $round\"" "$TARNEL_DATA" || fail "round $round: the task was lost: $(cat "$TARNEL_DATA")"
done
echo "ok"
