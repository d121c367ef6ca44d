#!/bin/sh
# Alt+Space where the desktop holds it: openbox with its default configuration binds it to
# its window menu. The texts do not promise the key, a second `vesk` opens the tarnel ready
# to type and closes it again, idle costs nothing, and once openbox lets the key go (its
# configuration changed and reloaded) Alt+Space toggles Vesk without a restart.
# Screenshots go to $VESK_SHOTS when that is set.
set -eu
command -v openbox >/dev/null 2>&1 || { echo "openbox is not installed"; exit 77; }
. "$(dirname "$0")/x_session.sh"

# By absolute path: openbox changes to $HOME.
cp /etc/xdg/openbox/rc.xml "$work/rc.xml"
grep -q '<keybind key="A-space">' "$work/rc.xml" || fail "openbox's default configuration no longer binds Alt+Space"
openbox --sm-disable --config-file "$work/rc.xml" > "$work/openbox.log" 2>&1 &
pids="$pids $!"

# The open tarnel (440 wide at x 580) is black down to its bottom once the opening has run.
fully_open() { is_open && [ "$(screen_pixel 800 440)" = '#000000' ]; }
openbox_runs() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
said() { grep -q "$1" "$work/vesk.err"; }
has() { grep -q "$1" "$TARNEL_DATA"; }
# A second vesk on the same data file: hands over and ends with 0.
second() { timeout 60 "$vesk" > "$work/second.out" 2>&1 || fail "a second vesk failed: $(cat "$work/second.out")"; }
menu_window() {
    for candidate in $(xdotool search --onlyvisible --pid "$vpid" 2>/dev/null || true); do
        [ "$candidate" -ne "$window" ] && echo "$candidate" && return
    done
    true
}
menu_shown() { [ -n "$(menu_window)" ]; }
menu_gone() { [ -z "$(menu_window)" ]; }
# The pill's context menu: its width follows its widest line, the hot key's.
context_menu_width() {
    xdotool mousemove 800 12 click 3
    wait_until 20 "the context menu did not open" menu_shown
    menu=$(menu_window)
    [ -z "$1" ] || save_shot "$1" 500x200+650+0
    xwininfo -id "$menu" | awk '/Width/{print $2}' > "$work/menu-width"
    xdotool key Escape
    wait_until 20 "the context menu did not close" menu_gone
    cat "$work/menu-width"
}

wait_until 20 "openbox did not start" openbox_runs
printf '%s' '{"lists":[],"tasks":[],"sessions":[],"timer":{},"prefs":{"onboarded":false}}' > "$TARNEL_DATA"
launch vesk
wait_until 20 "vesk did not say that Alt+Space is taken" said "Alt+Space is used by another program"

# The tour opens by itself on its welcome card, which says how else to open Vesk.
wait_until 20 "the tour card did not open" fully_open
save_shot card-taken 500x470+550+0
xdotool mousemove 640 421 click 1 # "Skip tour" at the card's bottom left
wait_until 20 "Skip tour was not saved" has '"onboarded": *true'

# A second vesk closes the open tarnel, opens it on the tasks tab ready to type (though
# another tab was chosen last), and closes it.
xdotool key ctrl+3
second
wait_until 20 "a second vesk did not close the tarnel" is_closed
second
wait_until 20 "a second vesk did not open the tarnel" fully_open
xdotool type --delay 30 "Typed after a shortcut"
xdotool key Return
wait_until 20 "the add field did not have the keyboard" has '"title": *"Typed after a shortcut"'
second
wait_until 20 "a second vesk did not close the tarnel again" is_closed

# A developer's launch beside it is refused, as ever.
if timeout 60 "$vesk" --demo > "$work/demo.out" 2>&1; then fail "a developer launch beside a running Vesk ran"; fi
grep -q "another Vesk is already running" "$work/demo.out" || fail "the developer launch said: $(cat "$work/demo.out")"
kill -0 "$vpid" || fail "vesk ended"

taken_width=$(context_menu_width menu-taken)

# Idle with the key taken: the retry every few seconds is one wake-up, never a busy poll.
# Wake-ups are counted (the same on any machine); the CPU they cost is some milliseconds
# each on a loaded virtual machine and microseconds on a desktop.
xdotool mousemove 100 800
# Per thread: CPU nanoseconds and wake-ups; threads that end (idle pool threads do) drop out.
thread_use() {
    for task in /proc/"$vpid"/task/*; do
        echo "${task##*/} $(cut -d' ' -f1 "$task/schedstat" 2>/dev/null) $(awk '/^voluntary_ctxt/{print $2}' "$task/status" 2>/dev/null)"
    done | sort
}
# Up to three windows, the fewest wake-ups and the least CPU of them counting: other work on
# the machine makes each wake-up cost more in some windows than in others. Wake-ups are the
# exact check; the CPU bound is loose, as one wake-up costs up to a few ms on a busy virtual
# machine, while a busy poll would cost seconds.
best=""
best_ms=""
for _ in 1 2 3; do
    thread_use > "$work/use-before"
    sleep 10
    thread_use > "$work/use-after"
    # Threads born in the window count in full.
    set -- $(join -a 2 -e 0 -o 1.2,1.3,2.2,2.3 "$work/use-before" "$work/use-after" |
        awk '{ns += $3 - $1; wakes += $4 - $2} END{printf "%d %d", ns / 1000000, wakes}')
    echo "idle, Alt+Space taken: $1 ms of CPU and $2 wake-ups in 10 s"
    { [ -z "$best" ] || [ "$2" -lt "$best" ]; } && best=$2
    { [ -z "$best_ms" ] || [ "$1" -lt "$best_ms" ]; } && best_ms=$1
    [ "$best" -le 20 ] && keeps_budget [ "$best_ms" -lt 100 ] && break
done
[ "$best" -le 20 ] || fail "idle with the key taken wakes $best times in 10 s"
keeps_budget [ "$best_ms" -lt 100 ] || fail "idle with the key taken costs $best_ms ms of CPU in 10 s"

# openbox lets the key go: Vesk takes it within a few seconds, without a restart.
sed -i '/<keybind key="A-space">/,/<\/keybind>/d' "$work/rc.xml"
openbox --reconfigure
wait_until 30 "vesk did not take Alt+Space once it was free" said "Alt+Space is free now"
free_width=$(context_menu_width menu-free)
[ "$free_width" -lt "$taken_width" ] || fail "the menu line kept its mark: $taken_width then $free_width"
xdotool key alt+space
wait_until 20 "Alt+Space did not open the tarnel" fully_open
xdotool key alt+space
wait_until 20 "Alt+Space did not close the tarnel" is_closed
quit vesk
echo "ok"
