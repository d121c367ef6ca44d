#!/bin/sh
# The real vesk under a real EWMH window manager (openbox): the panel keeps its state (every
# desktop, above the others, out of the taskbar and pager) through many openings and
# closings; the open tarnel has the keyboard however it was opened and the closed one gives
# it back to the window that had it, also after its context menu; quick clicks on menu
# entries never close it; a running timer costs under 0.5 % of a core while collapsed.
# Screenshots go to $VESK_SHOTS when that is set.
set -eu
command -v openbox >/dev/null 2>&1 || { echo "openbox is not installed"; exit 77; }
. "$(dirname "$0")/x_session.sh"

# openbox's own Alt+Space (its window menu) would take the hot key.
sed '/<keybind key="A-space">/,/<\/keybind>/d' /etc/xdg/openbox/rc.xml > "$work/rc.xml"
openbox --sm-disable --config-file "$work/rc.xml" > "$work/openbox.log" 2>&1 &
pids="$pids $!"
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_until 20 "openbox did not start" wm_running

# Another application, which has the keyboard to begin with.
. "$(dirname "$0")/other_window.sh"
xdotool windowactivate --sync "$other"

check_state() {
    props=$(xprop -id "$window" _NET_WM_STATE _NET_WM_DESKTOP)
    for state in ABOVE SKIP_TASKBAR SKIP_PAGER; do
        echo "$props" | grep '_NET_WM_STATE(' | grep -q "_NET_WM_STATE_$state" || fail "$1: $state lost: $props"
    done
    if xprop -root _NET_SUPPORTED | grep -q _NET_WM_STATE_STICKY; then
        echo "$props" | grep -q _NET_WM_STATE_STICKY || fail "$1: STICKY lost"
    fi
    echo "$props" | grep -q '_NET_WM_DESKTOP(CARDINAL) = 4294967295' || fail "$1: not on every desktop: $props"
    info=$(xwininfo -id "$window")
    echo "$info" | grep -q IsViewable || fail "$1: the panel is not shown"
    geometry=$(echo "$info" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width/{w=$2} /Height/{h=$2} END{print x","y","w","h}')
    [ "$geometry" = "250,0,1100,600" ] || fail "$1: panel geometry $geometry"
}

launch vesk
window_managed() { xprop -id "$window" _NET_WM_DESKTOP | grep -q 4294967295; }
wait_until 10 "openbox did not take the panel" window_managed
check_state "at start"
[ "$(active)" -eq "$other" ] || fail "the panel took the keyboard when it appeared"
type_into_other

# Opened by a click or by Alt+Space while the other window has the keyboard, closed by Escape.
for cycle in 1 2 3 4 5 6; do
    if [ $((cycle % 2)) -eq 1 ]; then xdotool mousemove 800 12 click 1; else xdotool key alt+space; fi
    opened "cycle $cycle"
    wait_until 10 "cycle $cycle: the open tarnel does not have the keyboard" is_active "$window"
    before=$(keys_to_other)
    xdotool key ctrl+3 Escape
    closed "cycle $cycle: Escape"
    wait_until 10 "cycle $cycle: the closed tarnel kept the keyboard" is_active "$other"
    [ "$(keys_to_other)" -eq "$before" ] || fail "cycle $cycle: Ctrl+3 and Escape went to the other window"
    type_into_other
    [ "$(keys_to_other)" -gt "$before" ] || fail "cycle $cycle: typing no longer reaches the other window"
    check_state "after cycle $cycle"
done

# On another desktop the panel is still there.
on_desktop() { xprop -root _NET_CURRENT_DESKTOP | grep -q "= $1\$"; }
xdotool set_desktop 1
wait_until 10 "openbox did not switch to the second desktop" on_desktop 1
xwininfo -id "$window" | grep -q IsViewable || fail "the panel is not on the second desktop"
xdotool set_desktop 0
wait_until 10 "openbox did not switch back to the first desktop" on_desktop 0

# The pill's context menu, opened and closed, leaves the keyboard where it was.
xdotool mousemove 800 12 click 3
wait_until 10 "the context menu did not open" menu_shown
save_shot context-menu 600x300+650+0
xdotool key Escape
wait_until 10 "Escape did not close the context menu" no_menu
wait_until 10 "the context menu left the keyboard with the closed tarnel" is_active "$other"
xdotool mousemove 800 700

# Quick clicks on an entry of the settings menu (it lies outside the tarnel) never close it.
open_by_click "a click on the pill"
for click in 1 2 3 4 5; do
    xdotool mousemove 975 15 click 1 # the "…" button at the right end of the top bar
    wait_until 10 "click $click: the settings menu did not open" menu_shown
    [ "$click" -eq 1 ] && save_shot settings-menu 600x400+650+0
    corner=$(xwininfo -id "$menu" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x" "y}')
    set -- $corner
    # Fourth row, "Sounds": a border of 1, a margin of 4, rows of 24.
    xdotool mousemove $(($1 + 60)) $(($2 + 5 + 3 * 24 + 12)) click 1
    wait_until 10 "click $click: the settings menu stayed open" no_menu
    is_open || fail "click $click on a menu entry closed the tarnel"
done
sound_off() { grep -Eq '"sound": ?false' "$TARNEL_DATA"; }
wait_until 10 "five clicks on Sounds did not switch it off: $(cat "$TARNEL_DATA")" sound_off

# The closing animation and the opening one, mid-way.
if [ -n "${VESK_SHOTS:-}" ]; then
    xdotool key Escape
    for frame in 0 1 2 3 4 5 6 7; do save_shot "close-$frame" 600x500+500+0; done
    wait_until 10 "Escape: the pill did not come to rest" pill_at_rest
    xdotool key alt+space
    for frame in 0 1 2 3; do save_shot "open-$frame" 600x500+500+0; done
    opened "Alt+Space"
fi
xdotool key Escape
closed "Escape at the end"
check_state "at the end"

# A running stopwatch (breathing dot, clock rolling every second) while collapsed.
quit vesk
launch stopwatch --timer stopwatch
xdotool mousemove 800 12 click 1
opened "a click on the pill with a stopwatch running"
save_shot chip 500x80+550+0
xdotool key Escape
closed "Escape with a stopwatch running"
xdotool mousemove 100 800
wait_until 10 "the pill with a stopwatch running did not come to rest" pill_at_rest
# Under 0.5 % of a core.
best=$(cpu_per_mille 10 5)
echo "running stopwatch, collapsed: $best per mille of a core"
keeps_budget [ "$best" -lt 5 ] || fail "a running timer costs $best per mille of a core"
echo "ok"
