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

VESK_TOUR_LOG=1 launch tour
sleep 1.5
click 955 421 # "Start", bottom right of the card
sleep 1.5
click 672 214 # the first seedling of the nursery
sleep 1.2
click 629 133 # the tour task's check circle, through the overlay's hole
sleep 6       # the tree grows; the tour moves on when the reveal clears, or after 5 s
click 658 15  # the bonsai tab
sleep 1.5
click 951 323 # "Next" in the bubble above the garden button
sleep 1
click 839 135 # "Next" in the bubble under the focus tab
sleep 1
xdotool type --delay 40 "Water the fern"
xdotool key Return
sleep 1
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
