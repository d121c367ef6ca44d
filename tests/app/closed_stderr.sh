#!/bin/sh
# Standard error a pipe whose reader has gone (`vesk 2>&1 >/dev/null | head -n 1`), and a line to
# write there at once (no runtime folder for its socket): Vesk runs on, saves what was typed and
# quits with status 0.
set -eu
. "$(dirname "$0")/x_session.sh"
unset XDG_RUNTIME_DIR

# Python ignores SIGPIPE, and an ignored signal stays ignored through exec: back to the default.
: > "$work/closed.err"
/usr/bin/python3 -c '
import os, signal, sys
signal.signal(signal.SIGPIPE, signal.SIG_DFL)
read, write = os.pipe()
os.close(read)
os.dup2(write, 2)
os.execv(sys.argv[1], sys.argv[1:])' "$vesk" > "$work/closed.out" &
vpid=$!
pids="$vpid $pids"
name=closed
wait_until 30 "vesk did not show its panel" panel_shown
xdotool key alt+space
wait_until 30 "Alt+Space did not focus the add field" add_field_focused
xdotool type --delay 40 "Typed unheard"
xdotool key Return
wait_until 30 "the task was not saved" grep -q '"Typed unheard"' "$TARNEL_DATA"
quit closed
echo "ok"
