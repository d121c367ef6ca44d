#!/bin/sh
# The bonsai tab and the growth reveal on the real vesk under a compositor, for an onboarded
# user with a planted tree: the snapshot of the open tab holds the tree in its card, and a
# growth earned with the tarnel open shows the reveal panel beside it, which clears by itself.
set -eu
. "$(dirname "$0")/x_session.sh"

# pixel FILE X Y: the colour at a point as "r,g,b".
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
# brightness FILE X Y W H: the mean of a region, 0…255.
brightness() { convert "$1" -crop "$4x$5+$2+$3" -colorspace gray -format "%[fx:int(255*mean)]" info:; }

# The snapshot frames the tarnel (440 wide) with 30 points of margin: the card is the
# 378 × 316 rectangle 31 points in and below the 30-point top bar and its 8-point gap.
run_to_end --seed 12345 --iter 1200 --expand bonsai --delay 2.5 --snapshot "$work/tab.png" \
    > "$work/tab.out" 2> "$work/tab.err" || fail "snapshot run: $(cat "$work/tab.err")"
# A snapshot prints nothing: what its 3D view drew is read from the picture below.
[ ! -s "$work/tab.out" ] || fail "the snapshot printed: $(cat "$work/tab.out")"
card_x=$((30 + 31)) card_y=$((30 + 8))
[ "$(pixel "$work/tab.png" $((card_x + 189)) $((card_y + 158)))" != "0,0,0" ] || fail "the card's middle is black"
[ "$(brightness "$work/tab.png" $((card_x + 100)) $((card_y + 60)) 180 200)" -gt 12 ] || fail "no tree in the card"
if [ -n "${VESK_SHOTS:-}" ]; then mkdir -p "$VESK_SHOTS" && cp "$work/tab.png" "$VESK_SHOTS/bonsai-tab.png"; fi

# A growth of 5 cubes 0.8 s after launch with the task list open, as a completed task earns:
# the snapshot while it grows shows the panel 10 points right of the tarnel (30 + 440 + 10
# in the picture), dark with a lit tree in it; the snapshot waits for its first frame, where
# a look at the screen could come too late on a busy machine. Kept running, the panel then
# clears by itself and the desktop far to the right shows through where it hung.
VESK_KEEP=1 launch reveal --seed 12345 --iter 1200 --expand tasks --reveal 5 --delay 2.2 --snapshot "$work/growing.png"
wait_until 60 "no snapshot while the tree grows" test -s "$work/growing.png"
growing=$(brightness "$work/growing.png" $((480 + 40)) 30 170 170)
backdrop=$(brightness "$work/growing.png" 600 285 20 8)
[ "$growing" -gt 12 ] && [ "$backdrop" -lt 20 ] || fail "no tree in the reveal panel ($growing, backdrop $backdrop)"
if [ -n "${VESK_SHOTS:-}" ]; then mkdir -p "$VESK_SHOTS" && cp "$work/growing.png" "$VESK_SHOTS/reveal.png"; fi
panel_x=$((800 + 220 + 10))
cleared() {
    import -window root -crop 500x170+$((panel_x + 40))+30 "$work/screen.png"
    panel=$(brightness "$work/screen.png" 0 0 170 170)
    desktop=$(brightness "$work/screen.png" 330 0 170 170)
    seen="panel $panel, desktop $desktop"
    [ "$panel" -eq "$desktop" ]
}
wait_until 30 "the reveal panel did not clear" cleared
kill -0 "$vpid" 2>/dev/null || fail "vesk ended: $(cat "$work/reveal.err")"
echo "ok"
