# Sourced by the runs of the real vesk under X: a private home and an onboarded user's data
# file (so that no tour opens the tarnel by itself), an Xvfb display with a compositor, and
# all of it gone at exit. Set `display_base` first to keep scripts that run side by side on
# different displays. Leaves $work, $display, $pids (add your own processes to it) and fail.
work=$(mktemp -d)
display=":$(( ${display_base:-50} + $$ % 400 ))"
pids=""
cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export TARNEL_DATA="$work/data.json" DISPLAY="$display" QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY 2>/dev/null || true
printf '%s' '{"lists":[],"tasks":[],"sessions":[],"timer":{},"prefs":{"onboarded":true}}' > "$TARNEL_DATA"

Xvfb "$display" -screen 0 1600x900x24 -nolisten tcp >/dev/null 2>&1 &
pids="$pids $!"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xcompmgr >/dev/null 2>&1 &
pids="$pids $!"
