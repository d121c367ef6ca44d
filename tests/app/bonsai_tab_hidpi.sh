#!/bin/sh
# The bonsai tab on a screen of twice the pixels (QT_SCALE_FACTOR=2, 2560 × 1440): the 3D view
# fills its card with one tree drawn at the screen's pixels, not a grid of smaller copies.
# Screenshots go to $VESK_SHOTS when that is set.
set -eu
screen=2560x1440 panel_pixels=2200
. "$(dirname "$0")/x_session.sh"
export QT_SCALE_FACTOR=2

# The card, in the screen's pixels: 31 points into the tarnel (440 points wide, centred on the
# 1280-point screen) and 38 below the top, 378 × 316 points.
card_x=$((2 * (640 - 220 + 31))) card_y=$((2 * 38)) card_w=756 card_h=632
# The lower part of the card, under its caption, cut in a left and a right half.
half_w=$((card_w / 2)) low_y=$((card_y + 260)) low_h=$((card_h - 280))
# difference A B: how far two pictures differ, 0 (alike) … 1000.
difference() { compare -metric MAE "$1" "$2" null: 2>&1 | sed 's/.*(\(.*\))/\1/' | awk '{print int($1 * 1000)}'; }
# one_tree: a lit tree in the card's middle, and its left half unlike its right half: shifted
# by half the card, a grid of copies would land on itself.
one_tree() {
    import -window root -crop "${card_w}x${card_h}+${card_x}+${card_y}" +repage "$work/card.png"
    lit=$(convert "$work/card.png" -crop 300x300+228+160 -colorspace gray -format '%[fx:int(255*mean)]' info:)
    convert "$work/card.png" -crop "${half_w}x${low_h}+0+$((low_y - card_y))" +repage "$work/left.png"
    convert "$work/card.png" -crop "${half_w}x${low_h}+${half_w}+$((low_y - card_y))" +repage "$work/right.png"
    apart=$(difference "$work/left.png" "$work/right.png")
    seen="middle $lit, halves $apart apart"
    [ "$lit" -gt 12 ] && [ "$apart" -gt 30 ]
}

launch vesk --seed 12345 --iter 1200 --expand bonsai
wait_until 90 "no single tree in the bonsai tab's card" one_tree
save_shot bonsai-tab-scale2 "1000x800+780+0"
echo "ok ($seen)"
