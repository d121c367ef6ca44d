#!/bin/sh
# Reordering on the real vesk: in a list of First, Second and Third sorted by date, the mouse
# presses on Third and pulls it up over Second to First in small steps; the live reorder puts
# it on top. The data file then holds Third, First, Second in manual order.
set -eu
. "$(dirname "$0")/x_session.sh"

list=5A0C2F4E-0000-4000-8000-000000000001
task() {
    printf '{"id":"5A0C2F4E-0000-4000-8000-00000000001%s","listID":"%s","title":"%s","notes":"",' "$1" "$list" "$2"
    printf '"starred":false,"createdAt":"2025-01-01T00:00:00Z","order":%s}' "$3"
}
printf '{"lists":[{"id":"%s","name":"My Tasks"}],"tasks":[%s,%s,%s],"sessions":[],"timer":{},' \
    "$list" "$(task 1 First 0)" "$(task 2 Second 1)" "$(task 3 Third 2)" > "$TARNEL_DATA"
printf '"prefs":{"onboarded":true,"sortByDate":true,"selectedListID":"%s"}}' "$list" >> "$TARNEL_DATA"

launch drag
sleep 0.3
xdotool mousemove 800 14 click 1
sleep 1
# The rows (30 high, 2 apart) start 114 below the screen's top: under the 30-high top bar,
# 8 of gap, the header (26), 8, the add row (34) and 8. Third's title is at 193.
xdotool mousemove 720 193
sleep 0.2
xdotool mousedown 1
for _ in $(seq 16); do
    xdotool mousemove_relative -- 0 -4
    sleep 0.04
done
sleep 0.4
xdotool mouseup 1
sleep 1
quit drag

order_of() {
    for i in 0 1 2; do
        if [ "$("$json_check" "$TARNEL_DATA" /tasks/$i/title)" = "$1" ]; then
            "$json_check" "$TARNEL_DATA" /tasks/$i/order
            return
        fi
    done
    fail "no task $1: $(cat "$TARNEL_DATA")"
}
orders="$(order_of Third) $(order_of First) $(order_of Second)"
[ "$orders" = "0.0 1.0 2.0" ] || fail "want Third, First, Second in order; orders: $orders: $(cat "$TARNEL_DATA")"
[ "$("$json_check" "$TARNEL_DATA" /prefs/sortByDate)" = false ] || fail "the drag left date sorting on"
echo "ok"
