#!/bin/sh
# What a user trips over on the real vesk, each step waiting for what shows: the undo pill of
# a task with a 200-character title and of a list with a long name keeps "Undo" clickable; a
# collapse in the middle of renaming a list discards the typed name; Ctrl+V into a task's
# title while no program owns the clipboard pastes nothing and the app lives on.
set -eu
. "$(dirname "$0")/x_session.sh"

inbox=11111111-1111-4111-8111-111111111111
long=22222222-2222-4222-8222-222222222222
task=33333333-3333-4333-8333-333333333333
title=$(printf 'w%.0s' $(seq 200))
list_name="A list with a name far too long for the pill $(printf 'n%.0s' $(seq 60))"
cat > "$TARNEL_DATA" <<EOF
{"lists":[{"id":"$inbox","name":"Inbox"},{"id":"$long","name":"$list_name"}],
 "tasks":[{"id":"$task","listID":"$long","title":"$title","order":0,"createdAt":"2026-01-05T10:00:00Z"}],
 "sessions":[],"timer":{},"prefs":{"onboarded":true,"selectedListID":"$long"}}
EOF

# The tarnel (440 wide) is centred on the 1600-pixel screen; the tasks screen spans x 611 to
# 989 below the 30-high top bar: the header at y 38 to 64, the add row at 72 to 106, the rows
# from 114.
shot() { import -window root "$work/shot.png"; }
crop() { convert "$work/shot.png" -crop "$1" +repage "$work/$2.png"; }
same() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true)" = 0 ]; }
# The add row's grey where it stands, or the desktop while the tarnel is closed.
add_row() { shot && convert "$work/shot.png" -format '%[hex:p{620,90}]' info:; }
expanded() { [ "$(add_row)" != "$desktop" ]; }
collapsed() { [ "$(add_row)" = "$desktop" ]; }
header_is() { shot && crop 378x26+611+38 header && same header "$1"; }
header_is_not() { shot && crop 378x26+611+38 header && ! same header "$1"; }
# Two screenshots a moment apart show the same: what moves has come to rest. The add row is
# left out: its caret blinks, and on a busy machine the two shots are always a blink apart.
still() { shot && convert "$work/shot.png" -crop 440x900+580+0 +repage -fill black -draw 'rectangle 31,72 409,106' "$work/$1.png"; }
settled() { still before && sleep 0.1 && still after && same before after; }
# wait_for WHAT COMMAND...: polls until the command holds, while vesk runs.
wait_for() {
    what=$1
    shift
    end=$(($(date +%s) + 30 * patience))
    until "$@"; do
        kill -0 "$vpid" 2>/dev/null || fail "vesk ended while waiting for $what: $(cat "$work/edges.err")"
        [ "$(date +%s)" -lt "$end" ] || fail "no $what"
        sleep 0.05
    done
}
count() { "$json_check" "$TARNEL_DATA" "$1"; }
title_is() { [ "$("$json_check" "$TARNEL_DATA" /tasks/0/title)" = "$1" ]; }
# A menu is a window of its own.
windows() { xdotool search --onlyvisible --pid "$vpid" 2>/dev/null | wc -l; }
more_windows() { [ "$(windows)" -gt "$menus" ]; }
counts() { [ "$(count /tasks)" = "$1" ] && [ "$(count /lists)" = "$2" ]; }
# The middle of the "Undo" text, in $at: the box of its accent-green pixels near the bottom
# of the tasks screen.
undo_shown() {
    import -window root -crop 440x120+580+380 +repage "$work/pill.png"
    set -- $(convert "$work/pill.png" -fuzz 6% -fill black +opaque '#94CC8C' -fill white -opaque '#94CC8C' \
        -trim -format '%w %h %X %Y' info: 2>/dev/null)
    [ "${1:-0}" -gt 8 ] || return 1
    at="$((580 + ${3#+} + $1 / 2)) $((380 + ${4#+} + $2 / 2))"
}
undo_gone() { ! undo_shown; }
# Clicks "Undo" at once (the store keeps the step 6 seconds), then waits for the pill to go:
# clicked, it goes at once; missed, only after those 6 seconds, with nothing restored.
click_undo() {
    wait_for "Undo in the pill" undo_shown
    # shellcheck disable=SC2086
    xdotool mousemove $at click 1
    wait_for "the pill gone" undo_gone
}

launch edges
desktop=$(add_row)
xdotool key alt+space
wait_for "open tarnel" expanded
wait_for "resting task list" settled
shot && crop 378x26+611+38 picker

# The task's menu: its last entry is "Delete".
menus=$(windows)
xdotool mousemove 700 133 click 3
wait_for "task menu" more_windows
xdotool key Up Return
click_undo
wait_for "the task restored by Undo" counts 1 2
[ "$("$json_check" "$TARNEL_DATA" /tasks/0/title)" = "$title" ] || fail "the restored title differs"

# Rename list…, the second entry from the end; "Changed" typed, then Escape closes the tarnel.
wait_for "resting task list" settled
xdotool mousemove 640 51 click 1
wait_for "picker menu" more_windows
xdotool key Up Up Return
wait_for "the list-name field" header_is_not picker
xdotool key ctrl+a
xdotool type --delay 30 Changed
xdotool key Escape
wait_for "closed tarnel" collapsed
xdotool key alt+space
wait_for "open tarnel" expanded
wait_for "resting task list" settled
wait_for "the picker back in place of the field" header_is picker

# The task's detail; the title holds the keyboard and no program owns the clipboard.
xdotool mousemove 700 133 click 1
wait_for "task detail" header_is_not picker
wait_for "resting detail" settled
xdotool mousemove 700 85 click 1
xdotool key ctrl+End ctrl+v
xdotool type --delay 30 "!"
wait_for "the title typed after the paste" title_is "$title!"
xdotool key Escape
wait_for "task list" header_is picker

# The list picker: "Delete list" is its last entry.
wait_for "resting task list" settled
xdotool mousemove 640 51 click 1
wait_for "picker menu" more_windows
xdotool key Up Return
click_undo
wait_for "the list restored by Undo" counts 1 2

quit edges
[ "$("$json_check" "$TARNEL_DATA" /lists/1/name)" = "$list_name" ] || fail "the list was renamed"
echo "ok"
