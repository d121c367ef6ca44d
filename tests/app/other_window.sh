# Sourced by the runs of the real vesk under a window manager, after x_session.sh: another
# application, which logs the keys it gets; its window is left in $other. Gives active (the
# window manager's active window), is_active WINDOW, keys_to_other and type_into_other [WHAT].
xev -name other -geometry 500x300+100+450 -event keyboard > "$work/other.log" 2>&1 &
pids="$! $pids"
other=$(xdotool search --sync --name '^other$' | head -1)

active() { echo $(($(xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //; s/,.*//'))); }
is_active() { seen=$(active) && [ "$seen" -eq "$1" ]; }
keys_to_other() { grep -c '^KeyPress' "$work/other.log" || true; }
key_reached() { [ "$(keys_to_other)" -gt "$1" ]; }
# A key typed into the other window, which stamps itself with the key's time as toolkit
# applications do: the window manager then keeps the focus there unless a newer user action
# asks for it.
type_into_other() {
    typed=$(keys_to_other)
    xdotool key a
    wait_until 10 "${1:+$1: }the other window got no key" key_reached "$typed"
    time=$(grep -o 'time [0-9]*' "$work/other.log" | tail -1 | cut -d' ' -f2)
    [ -n "$time" ] && xprop -id "$other" -f _NET_WM_USER_TIME 32c -set _NET_WM_USER_TIME "$time"
}
