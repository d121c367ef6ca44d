#!/bin/sh
# The real vesk under mutter, GNOME's window manager and compositor on X11, which activates a
# window only for a user action newer than the last one it knows of. With another window holding
# the keyboard and stamping its keys as toolkit applications do, every open takes the keyboard:
# ten clicks on the pill in a row, Alt+Space, and a second vesk as a desktop shortcut runs it.
# What is typed then lands in the task list, and Escape (or the next vesk) closes the tarnel and
# gives the keyboard back.
set -eu
command -v mutter >/dev/null 2>&1 || { echo "mutter is not installed"; exit 77; }
command -v dbus-daemon >/dev/null 2>&1 || { echo "dbus-daemon is not installed"; exit 77; }
compositor=none # mutter composites itself
. "$(dirname "$0")/x_session.sh"

# Settings of the test's own, through GSettings' key file (in the private $XDG_CONFIG_HOME), on
# a session bus of its own: nothing of a user's GNOME session reaches mutter. Alt+Space, which
# mutter gives its window menu, is left to the hot key. The bus is started here rather than by
# dbus-run-session, which would leave it running once ended.
unset DBUS_SESSION_BUS_ADDRESS XDG_CURRENT_DESKTOP XDG_SESSION_TYPE GNOME_SETUP_DISPLAY 2>/dev/null || true
mkdir -p "$XDG_CONFIG_HOME/glib-2.0/settings"
printf '[org/gnome/desktop/wm/keybindings]\nactivate-window-menu=@as []\n' \
    > "$XDG_CONFIG_HOME/glib-2.0/settings/keyfile"
dbus-daemon --session --nofork --nosyslog --print-address=3 3>"$work/bus" > /dev/null 2>&1 &
pids="$! $pids"
wait_until 20 "the session bus did not start" test -s "$work/bus"
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus") GSETTINGS_BACKEND=keyfile \
    mutter --x11 --replace --sm-disable > "$work/mutter.log" 2>&1 &
pids="$! $pids" # ended before the server
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_until 30 "mutter did not start" wm_running

# Another application, which has the keyboard to begin with.
. "$(dirname "$0")/other_window.sh"
xdotool windowactivate "$other" 2>/dev/null || true
wait_until 20 "the other window has no keyboard" is_active "$other"

has() { grep -q "\"title\": *\"$1\"" "$TARNEL_DATA"; }
# typed_into_tarnel WHAT KEYS...: after KEYS, a task named after WHAT is typed and saved, and
# none of it reached the other window.
typed_into_tarnel() {
    what=$1
    shift
    before=$(keys_to_other)
    [ $# -eq 0 ] || xdotool key "$@"
    xdotool type --delay 30 "Task $what"
    xdotool key Return
    wait_until 20 "$what: the typed task was not saved" has "Task $what"
    [ "$(keys_to_other)" -eq "$before" ] || fail "$what: keys went to the other window"
}
# A second vesk on the same data file: hands over and ends with 0.
second() { timeout 60 "$vesk" > "$work/second.out" 2>&1 || fail "a second vesk failed: $(cat "$work/second.out")"; }

launch vesk
type_into_other "at start"
is_active "$other" || fail "the panel took the keyboard when it appeared"

for cycle in 1 2 3 4 5 6 7 8 9 10; do
    open_by_click "click $cycle"
    wait_until 10 "click $cycle: the open tarnel does not have the keyboard" is_active "$window"
    typed_into_tarnel "click $cycle" ctrl+n
    xdotool key Escape
    closed "click $cycle: Escape"
    wait_until 10 "click $cycle: the closed tarnel kept the keyboard" is_active "$other"
    type_into_other "click $cycle"
done

grep -q "Alt+Space is used by another program" "$work/vesk.err" && fail "mutter kept Alt+Space"
for cycle in 1 2 3; do
    xdotool key alt+space
    opened "Alt+Space $cycle"
    wait_until 10 "Alt+Space $cycle: the open tarnel does not have the keyboard" is_active "$window"
    typed_into_tarnel "Alt+Space $cycle"
    xdotool key Escape
    closed "Alt+Space $cycle: Escape"
    wait_until 10 "Alt+Space $cycle: the closed tarnel kept the keyboard" is_active "$other"
    type_into_other "Alt+Space $cycle"
done

# No event of the shortcut that ran the second vesk reaches the running one.
for cycle in 1 2 3 4 5 6 7 8 9 10; do
    second
    opened "second vesk $cycle"
    wait_until 10 "second vesk $cycle: the open tarnel does not have the keyboard" is_active "$window"
    typed_into_tarnel "second vesk $cycle"
    second
    closed "second vesk $cycle: closing"
    wait_until 10 "second vesk $cycle: the closed tarnel kept the keyboard" is_active "$other"
    type_into_other "second vesk $cycle"
done
quit vesk
echo "ok"
