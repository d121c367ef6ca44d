#!/bin/sh
# The first thing a user does on the real vesk: Alt+Space opens the tarnel with the add field
# focused, "Buy milk" and Return add the task, a click on its check circle completes it.
# The data file then holds it completed, with one cube for creating it and one growth for
# completing it.
set -eu
vesk="$1"
json_check="$2"
display_base=250
. "$(dirname "$0")/x_session.sh"

"$vesk" > "$work/vesk.out" 2> "$work/vesk.err" &
vpid=$!
pids="$vpid $pids"
for _ in $(seq 100); do
    xdotool search --onlyvisible --pid "$vpid" >/dev/null 2>&1 && break
    sleep 0.05
done
sleep 0.5

xdotool key alt+space
sleep 0.8
xdotool type --delay 40 "Buy milk"
xdotool key Return
sleep 0.8
grep -q '"title": "Buy milk"' "$TARNEL_DATA" || fail "Return did not add the task: $(cat "$TARNEL_DATA")"
grep -q '"completedAt"' "$TARNEL_DATA" && fail "the task was completed too early"

# The first row's check circle: the tarnel (440 wide) is centred on the 1600-pixel screen;
# 31 of margin, 2 of list inset and 8 of row padding to its left; below the 30-high top bar,
# 8 of gap, the header (26), 8, the add row (34), 8, then 7 of row padding.
xdotool mousemove 629 133
sleep 0.3
xdotool click 1
sleep 1
"$json_check" "$TARNEL_DATA" || fail "the data file is not valid JSON"
[ "$(grep -c '"completedAt"' "$TARNEL_DATA")" -eq 1 ] || fail "the task was not completed: $(cat "$TARNEL_DATA")"
[ "$(grep -c '"reason": "created"' "$TARNEL_DATA")" -eq 1 ] || fail "want one created gain: $(cat "$TARNEL_DATA")"
[ "$(grep -c '"reason": "completed"' "$TARNEL_DATA")" -eq 1 ] || fail "want one completed gain: $(cat "$TARNEL_DATA")"
kill -TERM "$vpid"
wait "$vpid" 2>/dev/null || true
echo "ok"
