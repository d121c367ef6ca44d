#!/bin/sh
# The bonsai tab and the growth reveal on the real vesk under a compositor, for an onboarded
# user with a planted tree: the snapshot of the open tab holds the tree in its card, and a
# growth earned with the tarnel open shows the reveal panel beside it, which clears by itself.
set -eu
vesk="$1"
. "$(dirname "$0")/x_session.sh"
unset VESK_KEEP VESK_SHOW_HELP VESK_TOUR_AUTOPLAY VESK_VIDEO 2>/dev/null || true

# pixel FILE X Y: the colour at a point as "r,g,b".
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
# brightness FILE X Y W H: the mean of a region, 0…255.
brightness() { convert "$1" -crop "$4x$5+$2+$3" -colorspace gray -format "%[fx:int(255*mean)]" info:; }

# The snapshot frames the tarnel (440 wide) with 30 points of margin: the card is the
# 378 × 316 rectangle 31 points in and below the 30-point top bar and its 8-point gap.
timeout 20 "$vesk" --seed 12345 --iter 1200 --expand bonsai --delay 2.5 --snapshot "$work/tab.png" \
    > "$work/tab.out" 2> "$work/tab.err" || fail "snapshot run: $(cat "$work/tab.err")"
# A snapshot prints nothing: what its 3D view drew is read from the picture below.
[ ! -s "$work/tab.out" ] || fail "the snapshot printed: $(cat "$work/tab.out")"
card_x=$((30 + 31)) card_y=$((30 + 8))
[ "$(pixel "$work/tab.png" $((card_x + 189)) $((card_y + 158)))" != "0,0,0" ] || fail "the card's middle is black"
[ "$(brightness "$work/tab.png" $((card_x + 100)) $((card_y + 60)) 180 200)" -gt 12 ] || fail "no tree in the card"
if [ -n "${VESK_SHOTS:-}" ]; then mkdir -p "$VESK_SHOTS" && cp "$work/tab.png" "$VESK_SHOTS/bonsai-tab.png"; fi

# A growth of 5 cubes 0.8 s after launch with the task list open, as a completed task earns:
# the panel hangs 10 points right of the 440-wide tarnel centred on the 1600-wide screen.
"$vesk" --seed 12345 --iter 1200 --expand tasks --reveal 5 > "$work/reveal.out" 2> "$work/reveal.err" &
app=$!
pids="$pids $app"
panel_x=$((800 + 220 + 10))
sleep 2.2
import -window root "$work/growing.png"
sleep 5
import -window root "$work/after.png"
kill -0 "$app" 2>/dev/null || fail "vesk ended: $(cat "$work/reveal.err")"
# Against the desktop far to the right: the panel is dark with a lit tree in it, and once
# cleared the desktop shows through again.
desktop=$(brightness "$work/after.png" 1400 30 170 170)
growing=$(brightness "$work/growing.png" $((panel_x + 40)) 30 170 170)
after=$(brightness "$work/after.png" $((panel_x + 40)) 30 170 170)
[ "$growing" -gt 12 ] && [ "$growing" -lt $((desktop - 30)) ] || fail "no tree in the reveal panel ($growing)"
[ "$after" -eq "$desktop" ] || fail "the reveal panel did not clear ($after, desktop $desktop)"
echo "ok"
