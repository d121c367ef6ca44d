#!/bin/sh
# The garden on the real vesk: a file whose gains have unlocked a seedling, the garden opened
# from the bonsai tab's button, the first seedling of the nursery clicked. The file then holds a
# second tree, current, and one more seedling planted. Screenshots go to $VESK_SHOTS when that is set.
set -eu
. "$(dirname "$0")/x_session.sh"
cat > "$TARNEL_DATA" <<'JSON'
{"lists":[],"tasks":[],"sessions":[],"timer":{},"prefs":{"onboarded":true},
 "bonsai":{"seed":90007,"seedlingsPlanted":0,"pending":0,
  "gains":[{"date":"2026-01-02T10:00:00Z","amount":60,"reason":"created"}],
  "garden":[{"id":"6A1C0D4E-2B7F-4C1A-9E3D-5F8A7B6C4D21","seed":90007,"plantedAt":"2026-01-02T10:00:00Z","cubesGrown":59}]}}
JSON

launch vesk --expand bonsai
opened "launch on the bonsai tab"
save_shot bonsai-tab

# The garden button at the right end of the tab's bottom row.
xdotool mousemove 930 370
xdotool mousemove_relative 15 8
xdotool click 1

# The first nursery card: the open tarnel's content starts 31 points inside its left edge,
# the cards 76 points below the top bar's top. The garden is open under the pointer once
# the card's tooltip shows; until it does, the pointer moves a point to and fro every 2 s,
# so that a card that came in under it sees it, and rests long enough between for a tooltip.
xdotool mousemove 660 140
xdotool mousemove_relative 12 10
step=1
moved=$(date +%s)
card_tooltip() {
    menu_shown && return 0
    if [ $(($(date +%s) - moved)) -ge 2 ]; then
        step=$((-step))
        xdotool mousemove_relative -- "$step" 0
        moved=$(date +%s)
    fi
    return 1
}
wait_until 40 "the garden did not open (no tooltip on its first nursery card)" card_tooltip
save_shot garden-hover
xdotool click 1
planted() {
    seen=$("$json_check" "$TARNEL_DATA" /bonsai/garden /bonsai/seedlingsPlanted | tr '\n' ' ')
    [ "$seen" = "2 1 " ]
}
wait_until 20 "garden and planted count after the pick" planted
save_shot garden-closed

quit vesk
state=$("$json_check" "$TARNEL_DATA" /bonsai/garden /bonsai/seedlingsPlanted | tr '\n' ' ')
[ "$state" = "2 1 " ] || fail "garden and planted count after the pick: $state"
seed=$("$json_check" "$TARNEL_DATA" /bonsai/seed)
[ "$seed" = "$("$json_check" "$TARNEL_DATA" /bonsai/garden/1/seed)" ] || fail "the new tree is not current: $seed"
[ "$seed" -ge 1 ] && [ "$seed" -le 1099511627776 ] || fail "seed $seed outside the nursery's range"
echo "ok: planted $seed"
