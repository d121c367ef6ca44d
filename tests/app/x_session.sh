# Sourced by the runs of the real vesk under X: a private home and an onboarded user's data
# file (so that no tour opens the tarnel by itself), an Xvfb display with a compositor, and
# all of it gone at exit. Set `display_base` first to keep scripts that run side by side on
# different displays. Leaves $work, $display, $pids (add your own processes to it), fail and
# panel_window.
. "$(dirname "$0")/private_home.sh"
display=":$(( ${display_base:-50} + $$ % 400 ))"
export XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export TARNEL_DATA="$work/data.json" DISPLAY="$display" QT_QPA_PLATFORM=xcb
printf '%s' '{"lists":[],"tasks":[],"sessions":[],"timer":{},"prefs":{"onboarded":true}}' > "$TARNEL_DATA"

Xvfb "$display" -screen 0 1600x900x24 -nolisten tcp >/dev/null 2>&1 &
pids="$pids $!"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xcompmgr >/dev/null 2>&1 &
pids="$pids $!"

# The panel window (1100 points wide) of the vesk whose process id is $1, once it shows;
# nothing when it has not shown within two seconds.
panel_window() {
    for _ in $(seq 100); do
        for candidate in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null || true); do
            xwininfo -id "$candidate" 2>/dev/null | grep -q 'Width: 1100' && echo "$candidate" && return
        done
        sleep 0.02
    done
}
