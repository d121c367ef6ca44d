#!/bin/sh
# The first thing a user does on the real vesk: Alt+Space opens the tarnel with the add field
# focused, "Buy milk" and Return add the task, a click on its check circle completes it.
# The data file then holds it completed, with one cube for creating it and one growth for
# completing it.
set -eu
. "$(dirname "$0")/x_session.sh"

launch journey
sleep 0.3
xdotool key alt+space
sleep 0.8
xdotool type --delay 40 "Buy milk"
xdotool key Return
sleep 0.8
[ "$("$json_check" "$TARNEL_DATA" /tasks)" = 1 ] || fail "Return did not add one task: $(cat "$TARNEL_DATA")"
[ "$("$json_check" "$TARNEL_DATA" /tasks/0/title)" = "Buy milk" ] || fail "the task is not \"Buy milk\""
! "$json_check" "$TARNEL_DATA" /tasks/0/completedAt > /dev/null 2>&1 || fail "the task was completed too early"

# The first row's check circle: the tarnel (440 wide) is centred on the 1600-pixel screen;
# 31 of margin, 2 of list inset and 8 of row padding to its left; below the 30-high top bar,
# 8 of gap, the header (26), 8, the add row (34), 8, then 7 of row padding.
xdotool mousemove 629 133
sleep 0.3
xdotool click 1
sleep 1
quit journey
"$json_check" "$TARNEL_DATA" /tasks/0/completedAt > /dev/null || fail "the task was not completed"
[ "$("$json_check" "$TARNEL_DATA" /bonsai/gains)" = 2 ] || fail "want two gains: $(cat "$TARNEL_DATA")"
reasons=$("$json_check" "$TARNEL_DATA" /bonsai/gains/0/reason /bonsai/gains/1/reason | tr '\n' ' ')
[ "$reasons" = "created completed " ] || fail "gains for: $reasons"
echo "ok"
