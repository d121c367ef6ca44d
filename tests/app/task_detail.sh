#!/bin/sh
# The task detail on the real vesk: a tap on a task opens it; a note typed, "Tomorrow" and a
# subtask added are all in the data file within a second, without closing anything.
set -eu
. "$(dirname "$0")/x_session.sh"
export TZ=UTC

launch detail
sleep 0.3
xdotool key alt+space
sleep 0.8
xdotool type --delay 30 "Plan trip"
xdotool key Return
sleep 0.5
# The first row's title (see tasks_journey.sh for the row's place), then, in the detail: the
# notes under the title, the "Tomorrow" chip, the add-subtask field.
xdotool mousemove 700 133 click 1
sleep 0.8
xdotool mousemove 760 111 click 1
sleep 0.2
xdotool type --delay 30 "Pack light"
xdotool mousemove 728 146 click 1
sleep 0.2
xdotool mousemove 720 205 click 1
sleep 0.2
xdotool type --delay 30 "Book hotel"
xdotool key Return
sleep 1

tomorrow=$(date -u -d tomorrow +%Y-%m-%dT00:00:00Z)
got=$("$json_check" "$TARNEL_DATA" /tasks /tasks/0/notes /tasks/0/due /tasks/1/title | tr '\n' '|')
[ "$got" = "2|Pack light|$tomorrow|Book hotel|" ] || fail "data file holds: $got"
[ "$("$json_check" "$TARNEL_DATA" /tasks/1/parentID)" = "$("$json_check" "$TARNEL_DATA" /tasks/0/id)" ] ||
    fail "the subtask is not under the task"
quit detail
echo "ok"
