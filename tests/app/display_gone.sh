#!/bin/sh
# The X server ends 0.1 to 0.3 s after the task typed with Return (well within the 0.4 s
# before its save), as at a logout whose display manager stops the server before the programs
# in it get a signal: Qt ends vesk at once, and the task is in the data file all the same,
# with status 1 (no quit was asked for) and nothing a sanitizer reports. Five times, each on a
# new server; a machine too busy to draw the row by then gets the server ended once it has.
set -eu
. "$(dirname "$0")/x_session.sh"

# row_arriving: something of the first task row is drawn (it may still be fading in).
row_arriving() {
    seen=$(import -window root -crop 360x26+612+118 -colorspace gray -format '%[fx:int(255*maxima)]' info:)
    [ "$seen" -gt 60 ]
}

round=0
for delay in 0.1 0.15 0.2 0.25 0.3; do
    round=$((round + 1))
    [ "$round" = 1 ] || start_x
    launch "round$round"
    xdotool key alt+space
    wait_until 30 "round $round: Alt+Space did not focus the add field" add_field_focused
    xdotool type --delay 40 "Task $round"
    xdotool key Return
    sleep "$delay" &
    after_return=$!
    wait_until 30 "round $round: the task did not show" row_arriving
    wait "$after_return"
    kill "$xvfb"
    wait_until 30 "round $round: vesk outlived its X server" gone "$vpid"
    set +e
    wait "$vpid"
    status=$?
    set -e
    err="$work/round$round.err"
    ! grep -qE 'Sanitizer|runtime error:' "$err" || fail "round $round: a sanitizer report: $(cat "$err")"
    [ "$status" -eq 1 ] || fail "round $round: exit status $status, not 1: $(cat "$err")"
    grep -q "\"Task $round\"" "$TARNEL_DATA" ||
        fail "round $round: the task was lost: $(cat "$TARNEL_DATA" "$err")"
done
echo "ok"
