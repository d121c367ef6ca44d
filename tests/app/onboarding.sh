#!/bin/sh
# A new user's first launch on the real vesk, walked through by hand: the welcome card opens by
# itself; Start, a seedling picked, the tour task ticked, the bonsai tab, Next, Next, a real
# task typed. Then the user is onboarded, a tree is planted and the tour log names every step.
set -eu
. "$(dirname "$0")/x_session.sh"
printf '%s' '{"lists":[],"tasks":[],"sessions":[],"timer":{},"prefs":{"onboarded":false}}' > "$TARNEL_DATA"

# click X Y: a click where the panel (1100 wide, centred on the 1600-pixel screen) shows it.
click() {
    xdotool mousemove "$1" "$2" click 1
}
# step NAME: the tour has logged that it moved on to NAME.
step() { wait_until 30 "the tour did not move on to $1: $(tr '\n' ' ' < "$work/tour.out")" grep -qx "tour → $1" "$work/tour.out"; }
# button_at X Y: a green button ("Start", "Next") in place with its left edge at X, on its card
# (black) or in its bubble (dark grey).
accent='#94CC8C'
button_at() { edge_at "$1" "$2" '#000000' "$accent" || edge_at "$1" "$2" '#121212' "$accent"; }
# bubble_at Y: a tour bubble in place, its green border 29 into the tarnel on row Y.
bubble_at() { edge_at 608 "$1" '#000000' '#4D6649'; }
# nursery_shown: the first seedling's card stands 33 into the tarnel.
nursery_shown() { [ "$(screen_pixel 611 160)" = '#000000' ] && [ "$(screen_pixel 614 160)" != '#000000' ]; }

VESK_TOUR_LOG=1 launch tour
wait_until 30 "no welcome card with its Start button" button_at 921 421
click 955 421 # "Start", bottom right of the card
step seedling
wait_until 30 "no nursery" nursery_shown
click 672 214 # the first seedling of the nursery
step completeTask
wait_until 30 "no bubble under the tour task" bubble_at 200
# The tour task's check circle, through the overlay's hole, as soon as the bubble is in place:
# the bubble fades in with the list it points into, and the lit hole hands a click on to its
# circle.
click 629 133
step growing
# The tree grows; the tour moves on when the reveal clears, or after 5 s.
step openBonsai
wait_until 30 "no bubble under the bonsai tab" bubble_at 60
click 658 15  # the bonsai tab
step garden
wait_until 30 "no Next in the bubble above the garden button" button_at 925 323
click 951 323 # "Next" in the bubble above the garden button
step focus
wait_until 30 "no Next in the bubble under the focus tab" button_at 813 135
click 839 135 # "Next" in the bubble under the focus tab
step yourTurn
wait_until 30 "the tour's last step did not focus the add field" add_field_focused
xdotool type --delay 40 "Water the fern"
xdotool key Return
step finished
quit tour

steps=$(tr '\n' ' ' < "$work/tour.out")
[ "$steps" = "tour → seedling tour → completeTask tour → growing tour → openBonsai tour → garden tour → focus tour → yourTurn tour → finished " ] ||
    fail "tour log: $steps"
[ "$("$json_check" "$TARNEL_DATA" /prefs/onboarded)" = true ] || fail "not onboarded"
[ "$("$json_check" "$TARNEL_DATA" /bonsai/garden)" = 1 ] || fail "no tree planted"
"$json_check" "$TARNEL_DATA" /tasks | grep -q . || fail "no tasks"
titles=$(for i in 0 1; do "$json_check" "$TARNEL_DATA" "/tasks/$i/title"; done | tr '\n' '|')
echo "$titles" | grep -q "Water the fern" || fail "the real task is missing: $titles"
echo "ok"
