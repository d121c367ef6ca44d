#!/bin/sh
# The garden on the real vesk: a file whose gains have unlocked a seedling, the garden opened
# from the bonsai tab's button, the first seedling of the nursery clicked. The file then holds a second tree, current, and
# one more seedling planted. Screenshots go to $VESK_SHOTS when that is set.
set -eu
. "$(dirname "$0")/x_session.sh"
cat > "$TARNEL_DATA" <<'JSON'
{"lists":[],"tasks":[],"sessions":[],"timer":{},"prefs":{"onboarded":true},
 "bonsai":{"seed":90007,"seedlingsPlanted":0,"pending":0,
  "gains":[{"date":"2026-01-02T10:00:00Z","amount":60,"reason":"created"}],
  "garden":[{"id":"6A1C0D4E-2B7F-4C1A-9E3D-5F8A7B6C4D21","seed":90007,"plantedAt":"2026-01-02T10:00:00Z","cubesGrown":59}]}}
JSON
shot() { [ -n "${VESK_SHOTS:-}" ] && mkdir -p "$VESK_SHOTS" && import -window root -crop 1100x600+250+0 "$VESK_SHOTS/$1.png"; true; }

"$vesk" --expand bonsai > "$work/vesk.out" 2> "$work/vesk.err" &
vpid=$!
pids="$vpid $pids"
shown=""
for _ in $(seq 200); do
    for candidate in $(xdotool search --onlyvisible --pid "$vpid" 2>/dev/null || true); do
        xwininfo -id "$candidate" 2>/dev/null | grep -q 'Width: 1100' && shown=yes
    done
    [ -n "$shown" ] && break
    kill -0 "$vpid" 2>/dev/null || fail "vesk ended early: $(cat "$work/vesk.err")"
    sleep 0.05
done
[ -n "$shown" ] || fail "no panel window"
sleep 1.5
shot bonsai-tab

# The garden button at the right end of the tab's bottom row.
xdotool mousemove 930 370
sleep 0.2
xdotool mousemove_relative 15 8
sleep 0.3
xdotool click 1
sleep 1.5
shot garden-open

# The first nursery card: the open tarnel's content starts 31 points inside its left edge,
# the cards 76 points below the top bar's top.
xdotool mousemove 660 140
sleep 0.2
xdotool mousemove_relative 12 10
sleep 0.4
shot garden-hover
xdotool click 1
sleep 1
shot garden-closed

kill -TERM "$vpid"
set +e
wait "$vpid"
status=$?
set -e
[ "$status" -eq 0 ] || fail "exit status $status: $(cat "$work/vesk.err")"
state=$("$json_check" "$TARNEL_DATA" /bonsai/garden /bonsai/seedlingsPlanted | tr '\n' ' ')
[ "$state" = "2 1 " ] || fail "garden and planted count after the pick: $state"
seed=$("$json_check" "$TARNEL_DATA" /bonsai/seed)
[ "$seed" = "$("$json_check" "$TARNEL_DATA" /bonsai/garden/1/seed)" ] || fail "the new tree is not current: $seed"
[ "$seed" -ge 1 ] && [ "$seed" -le 1099511627776 ] || fail "seed $seed outside the nursery's range"
echo "ok: planted $seed"
