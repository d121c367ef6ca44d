# Sourced by the runs of the real vesk under X: a private home and an onboarded user's data
# file (so that no tour opens the tarnel by itself), an Xvfb display with a compositor, and
# all of it gone at exit. Xvfb picks a display number no other server holds, so runs side by
# side never meet. Leaves $work, $display, $pids (add your own processes to it) and fail.
. "$(dirname "$0")/private_home.sh"
export XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
Xvfb -displayfd 3 -screen 0 1600x900x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids="$pids $!"
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || fail "Xvfb did not start"
display=":$(head -n 1 "$work/display")"
export TARNEL_DATA="$work/data.json" DISPLAY="$display" QT_QPA_PLATFORM=xcb
printf '%s' '{"lists":[],"tasks":[],"sessions":[],"timer":{},"prefs":{"onboarded":true}}' > "$TARNEL_DATA"
xcompmgr >/dev/null 2>&1 &
pids="$pids $!"
