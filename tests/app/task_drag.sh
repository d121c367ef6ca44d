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

order_of() {
    for i in 0 1 2; do
        if [ "$("$json_check" "$TARNEL_DATA" /tasks/$i/title)" = "$1" ]; then
            "$json_check" "$TARNEL_DATA" /tasks/$i/order
            return
        fi
    done
    fail "no task $1: $(cat "$TARNEL_DATA")"
}

launch drag
open_by_click drag
# Third's row; its title is at 193, a little above the row's middle.
wait_until 10 "the third row did not show" row_shown 3
xdotool mousemove 720 193
xdotool mousedown 1
for _ in $(seq 16); do
    xdotool mousemove_relative -- 0 -4
    sleep 0.04
done
# The order changes while the drag passes over the rows, before the drop; the picture of
# the dragged row, a window of its own, goes with the drop.
on_top() { seen=$(order_of Third); [ "$seen" = 0.0 ]; }
wait_until 10 "the drag did not put Third on top before the drop" on_top
xdotool mouseup 1
wait_until 10 "the drop did not end the drag" no_menu
quit drag

orders="$(order_of Third) $(order_of First) $(order_of Second)"
[ "$orders" = "0.0 1.0 2.0" ] || fail "want Third, First, Second in order; orders: $orders: $(cat "$TARNEL_DATA")"
[ "$("$json_check" "$TARNEL_DATA" /prefs/sortByDate)" = false ] || fail "the drag left date sorting on"
echo "ok"
