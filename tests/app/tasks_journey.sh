#!/bin/sh
# The first thing a user does on the real vesk: Alt+Space opens the tarnel with the add field
# focused, "Buy milk" and Return add the task, a click on its check circle completes it.
# The data file then holds it completed, with one cube for creating it and one growth for
# completing it.
set -eu
. "$(dirname "$0")/x_session.sh"

launch journey
xdotool key alt+space
wait_until 30 "Alt+Space did not focus the add field" add_field_focused
xdotool type --delay 40 "Buy milk"
xdotool key Return
tasks() { seen=$("$json_check" "$TARNEL_DATA" /tasks); [ "$seen" -ge 1 ]; }
wait_until 10 "Return added no task to the data file" tasks
[ "$("$json_check" "$TARNEL_DATA" /tasks)" = 1 ] || fail "Return did not add one task: $(cat "$TARNEL_DATA")"
[ "$("$json_check" "$TARNEL_DATA" /tasks/0/title)" = "Buy milk" ] || fail "the task is not \"Buy milk\""
! "$json_check" "$TARNEL_DATA" /tasks/0/completedAt > /dev/null 2>&1 || fail "the task was completed too early"

# The first row's check circle: the tarnel (440 wide) is centred on the 1600-pixel screen;
# 31 of margin, 2 of list inset and 8 of row padding to its left; below the 30-high top bar,
# 8 of gap, the header (26), 8, the add row (34), 8, then 7 of row padding.
wait_until 10 "the new task's row did not show" row_shown 1
xdotool mousemove 629 133 click 1
completed() { "$json_check" "$TARNEL_DATA" /tasks/0/completedAt > /dev/null 2>&1; }
wait_until 10 "the task was not completed" completed
quit journey
[ "$("$json_check" "$TARNEL_DATA" /bonsai/gains)" = 2 ] || fail "want two gains: $(cat "$TARNEL_DATA")"
reasons=$("$json_check" "$TARNEL_DATA" /bonsai/gains/0/reason /bonsai/gains/1/reason | tr '\n' ' ')
[ "$reasons" = "created completed " ] || fail "gains for: $reasons"
echo "ok"
