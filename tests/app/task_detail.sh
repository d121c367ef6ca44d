#!/bin/sh
# The task detail on the real vesk: a tap on a task opens it; a note typed, "Tomorrow" and a
# subtask added all reach the data file, without closing anything.
set -eu
. "$(dirname "$0")/x_session.sh"
export TZ=UTC

launch detail
xdotool key alt+space
wait_until 30 "Alt+Space did not focus the add field" add_field_focused
xdotool type --delay 30 "Plan trip"
xdotool key Return
wait_until 10 "the new task's row did not show" row_shown 1
# The first row's title (see tasks_journey.sh for the row's place); the detail slides in and
# is at rest once its "Today" chip stands 55 into the tarnel, filled with the surface shade.
xdotool mousemove 700 133 click 1
wait_until 10 "a tap on the task did not open its detail" edge_at 635 137 '#000000' '#0E0D0D'
# In the detail: the notes under the title, the "Tomorrow" chip, the add-subtask field.
xdotool mousemove 760 111 click 1
xdotool type --delay 30 "Pack light"
xdotool mousemove 728 146 click 1
xdotool mousemove 720 205 click 1
xdotool type --delay 30 "Book hotel"
xdotool key Return

tomorrow=$(date -u -d tomorrow +%Y-%m-%dT00:00:00Z)
saved() {
    seen=$("$json_check" "$TARNEL_DATA" /tasks /tasks/0/notes /tasks/0/due /tasks/1/title 2>&1 | tr '\n' '|')
    [ "$seen" = "2|Pack light|$tomorrow|Book hotel|" ]
}
wait_until 10 "the note, the due date and the subtask did not all reach the data file" saved
[ "$("$json_check" "$TARNEL_DATA" /tasks/1/parentID)" = "$("$json_check" "$TARNEL_DATA" /tasks/0/id)" ] ||
    fail "the subtask is not under the task"
quit detail
echo "ok"
