#!/bin/sh
# The real vesk on its own X server with a compositor: the panel's hints, click-through
# outside the pill, a click and Alt+Space expanding it, a save on SIGTERM, a second
# developer instance refused, the idle cost, and screenshots of what it shows (kept in $VESK_SHOTS
# when that is set).
set -eu
. "$(dirname "$0")/x_session.sh"
# A window underneath that reports the clicks reaching it.
xev -name below -geometry 1600x900+0+0 -event button > "$work/below.log" 2>&1 &
pids="$pids $!"
xdotool search --sync --onlyvisible --name '^below$' > /dev/null

start=$(date +%s%N)
"$vesk" > "$work/vesk.out" 2> "${VESK_LOG:-$work/vesk.err}" &
vpid=$!
pids="$vpid $pids"
name=vesk
wait_until 30 "no panel window" panel_shown
echo "launch to visible pill: $(( ($(date +%s%N) - start) / 1000000 )) ms"

props=$(xprop -id "$window")
echo "$props" | grep -q '_NET_WM_WINDOW_TYPE_UTILITY' || fail "window type: $props"
for state in ABOVE STICKY SKIP_TASKBAR SKIP_PAGER; do
    echo "$props" | grep '_NET_WM_STATE' | grep -q "_NET_WM_STATE_$state" || fail "state $state missing"
done
geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width/{w=$2} /Height/{h=$2} END{print x","y","w","h}')
[ "$geometry" = "250,0,1100,600" ] || fail "panel geometry $geometry"

save_shot collapsed

# Far outside the pill the click reaches the window underneath.
clicked_below() { grep -q ButtonPress "$work/below.log"; }
xdotool mousemove 400 300 click 1
wait_until 10 "a click outside did not go through" clicked_below
: > "$work/below.log"

# Hover widens the pill.
xdotool mousemove 800 12
wait_until 10 "the pill did not grow under the pointer" pill_hovered
save_shot hover

# A click on the pill expands it: the panel now takes clicks well below the pill.
xdotool click 1
opened "a click on the pill"
save_shot expanded-tasks
for tab in 2 3 4; do
    xdotool key "ctrl+$tab"
    wait_until 10 "Ctrl+$tab did not pick tab $tab" tab_picked "$tab"
    save_shot "expanded-tab$tab"
done
xdotool mousemove 800 300 click 1

# Alt+Space closes and opens it again. The same click now goes through, after the one on the
# open panel, which must not have.
xdotool key alt+space
closed "Alt+Space"
xdotool mousemove 800 300 click 1
wait_until 10 "alt+space did not collapse the panel" clicked_below
[ "$(grep -c ButtonPress "$work/below.log")" -eq 1 ] || fail "the open panel let a click through"
xdotool key alt+space
opened "Alt+Space"
save_shot hotkey-open

# A click elsewhere collapses the open tarnel: the next click well below the pill goes through.
xdotool mousemove 100 800 click 1
closed "a click elsewhere"
: > "$work/below.log"
xdotool mousemove 800 300 click 1
wait_until 10 "a click elsewhere did not collapse the panel" clicked_below

# A second instance on the same data file with a developer option refuses to start, with one
# line (a plain one toggles the running tarnel instead), and reads nothing of the data file.
# (The leak check cannot run under strace.)
set +e
ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" strace -f -qq -e trace=open,openat -o "$work/second.trace" \
    "$vesk" --demo > /dev/null 2> "$work/second.err"
status=$?
set -e
[ "$status" -ne 0 ] || fail "a second vesk started"
[ "$(wc -l < "$work/second.err")" -eq 1 ] || fail "second vesk said: $(cat "$work/second.err")"
grep -q "\"$TARNEL_DATA.lock\"" "$work/second.trace" || fail "the second vesk's files: $(cat "$work/second.trace")"
if grep -q "\"$TARNEL_DATA\"" "$work/second.trace"; then fail "the second vesk read the data file"; fi

# Idle: collapsed and untouched for 10 s costs under 1 % of a core.
xdotool mousemove 100 800
wait_until 10 "the pill did not come to rest" pill_at_rest
idle=$(cpu_per_mille 10 1)
echo "idle cpu: $idle per mille of one core"
keeps_budget [ "$idle" -lt 1 ] || fail "idle cost $idle per mille of one core"

# "Launch at login" from the pill's context menu writes the autostart file, which starts vesk
# on the data file it runs on.
autostart_written() { [ -f "$XDG_CONFIG_HOME/autostart/vesk.desktop" ]; }
xdotool mousemove 800 12 click 3
wait_until 10 "the context menu did not open" menu_shown
xdotool key Down Return
wait_until 10 "launch at login did not write the autostart file" autostart_written
# The menu's keyboard grab ends with its window: a key sent before that goes to the menu.
wait_until 10 "the context menu did not close" no_menu
grep -qxF "Exec=env \"TARNEL_DATA=$TARNEL_DATA\" \"$(readlink -f "$vesk")\"" "$XDG_CONFIG_HOME/autostart/vesk.desktop" ||
    fail "the autostart entry does not keep the data file: $(grep Exec= "$XDG_CONFIG_HOME/autostart/vesk.desktop")"

# "Sounds" off from the settings menu, then SIGTERM at once: the change is on disk although
# the debounced save was still pending.
xdotool key alt+space
opened "Alt+Space"
xdotool mousemove 975 15 click 1   # the "…" button at the right end of the top bar
wait_until 10 "the settings menu did not open" menu_shown
xdotool key Down Down Down Down Return
wait_until 10 "Return did not close the settings menu" no_menu
kill -TERM "$vpid"
wait "$vpid" 2>/dev/null || true
grep -Eq '"sound": ?false' "$TARNEL_DATA" || fail "the change before SIGTERM was not saved: $(cat "$TARNEL_DATA")"
echo "ok"
