# Sourced by x_session.sh: start vesk until its panel shows, see whether the tarnel is open,
# quit it the way the user does, and read what it costs. Needs $vesk.

# launch NAME [OPTIONS...]: vesk with the options until its panel shows; leaves its pid in
# $vpid, its panel window in $window, its output in $work/NAME.out and NAME.err.
launch() {
    name=$1
    shift
    "$vesk" "$@" > "$work/$name.out" 2> "$work/$name.err" &
    vpid=$!
    pids="$vpid $pids"
    wait_until 30 "$name: no panel window" panel_shown
}

# panel_shown: the panel of vesk ($vpid) is mapped, 1100 points wide ($panel_pixels, when
# set, at another scale); its id is left in $window.
panel_shown() {
    kill -0 "$vpid" 2>/dev/null || fail "$name: vesk ended early: $(cat "$work/$name.err")"
    for window in $(xdotool search --onlyvisible --pid "$vpid" 2>/dev/null || true); do
        xwininfo -id "$window" 2>/dev/null | grep -q "Width: ${panel_pixels:-1100}\$" && return 0
    done
    return 1
}

# menu_shown: a menu of vesk's is up, a window of its own beside the panel; its id is left
# in $menu.
menu_shown() {
    for menu in $(xdotool search --onlyvisible --pid "$vpid" 2>/dev/null || true); do
        [ "$menu" -ne "$window" ] && return 0
    done
    return 1
}
no_menu() { ! menu_shown; }

# gone PID: the process has ended (a zombie that no one has waited for yet counts).
gone() {
    ! kill -0 "$1" 2>/dev/null || [ "$(cut -d' ' -f3 "/proc/$1/stat" 2>/dev/null)" = Z ]
}

# quit NAME: SIGTERM, the usual quit path, which saves; vesk must end with status 0. Quitting
# waits for a thumbnail being drawn, which the software renderer of a busy machine can take a
# minute or two over (its shaders are compiled first): the deadline only catches a hang.
quit() {
    kill -TERM "$vpid"
    wait_until 120 "$1: vesk did not quit on SIGTERM" gone "$vpid"
    set +e
    wait "$vpid"
    status=$?
    set -e
    [ "$status" -eq 0 ] || fail "$1: exit status $status: $(cat "$work/$1.err")"
}

# screen_pixel X Y: the colour on the screen at that point, as #RRGGBB.
screen_pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | sed -n 's/.*\(#[0-9A-F]\{6\}\).*/\1/p'; }
# The lit surface of a focused field or a picked tab, over the black tarnel.
surface_hi='#1A1817'

# save_shot NAME [CROP]: the screen (by default the tarnel's part of it) as NAME.png in
# $VESK_SHOTS, when that is set; nothing otherwise.
save_shot() { [ -n "${VESK_SHOTS:-}" ] && mkdir -p "$VESK_SHOTS" && import -window root -crop "${2:-1100x600+250+0}" "$VESK_SHOTS/$1.png"; true; }

# is_open: the open tarnel is black in its left margin well below the pill; the desktop
# shows there when it is closed.
is_open() { [ "$(screen_pixel 605 300)" = '#000000' ]; }
is_closed() { ! is_open; }
# opened WHAT / closed WHAT: waits until the tarnel is open (closed) after WHAT.
opened() { wait_until 30 "$1: the tarnel did not open" is_open; }
closed() { wait_until 30 "$1: the tarnel did not close" is_closed; }

# pill_hovered: the closed pill has grown under the pointer: vesk has seen the pointer there.
pill_hovered() { [ "$(screen_pixel 800 31)" = '#000000' ]; }
# pill_at_rest: the closed pill at its smallest, without its hover shadow: just under it the
# desktop looks as it does far below.
pill_at_rest() { [ "$(screen_pixel 800 31)" = "$(screen_pixel 800 60)" ]; }

# open_by_click WHAT: the pointer on the pill, a click once the pill shows that vesk sees it
# there, and the tarnel open. A click can still go astray under a window manager: while the
# tarnel stays closed, it is clicked again, well apart.
open_by_click() {
    xdotool mousemove 800 12
    wait_until 10 "$1: the pill did not grow under the pointer" pill_hovered
    pressed=0
    wait_until 30 "$1: the tarnel did not open" pressed_until is_open 800 12
}
# pressed_until CHECK X Y, for wait_until (after pressed=0): CHECK holds, or a click at X Y is
# made, again every few seconds while CHECK does not hold, for a click that went astray.
pressed_until() {
    "$1" && return 0
    [ $(($(date +%s) - pressed)) -ge $((3 * patience)) ] || return 1
    xdotool mousemove "$2" "$3" click 1
    pressed=$(date +%s)
    return 1
}

# edge_at X Y OUTSIDE INSIDE: on row Y the screen shows OUTSIDE just left of X and INSIDE
# just right of it: a chip, a button or a bubble has come to rest with its left edge at X,
# fully drawn (a sliding one is elsewhere, a fading one paler).
edge_at() { [ "$(screen_pixel $(($1 - 2)) "$2")" = "$3" ] && [ "$(screen_pixel $(($1 + 1)) "$2")" = "$4" ]; }
# tab_picked N: the top bar lights the Nth tab (1 tasks … 4 stats).
tab_picked() { edge_at $((611 + 32 * ($1 - 1))) 14 '#000000' "$surface_hi"; }
# row_shown N: the Nth row of the task list has its check circle drawn, at rest. The rows
# (30 high, 2 apart) start 114 below the screen's top: under the 30-high top bar, 8 of gap,
# the header (26), 8, the add row (34) and 8; the circle's left edge is 41 into the tarnel.
row_shown() { edge_at 620 $((133 + 32 * ($1 - 1))) '#000000' '#464542'; }
# add_field_focused: the task list's add field has the keyboard (its row is lit).
add_field_focused() { [ "$(screen_pixel 970 89)" = "$surface_hi" ]; }

# cpu_ticks: the CPU time vesk ($vpid) has used, in clock ticks, summed as integers (awk
# would print a large sum in exponent form).
cpu_ticks() {
    set -- $(cat "/proc/$vpid/stat")
    shift 13
    echo $(($1 + $2))
}
# cpu_ns: the nanoseconds all of vesk's threads have spent on a CPU, finer than the ticks.
cpu_ns() {
    sum=0
    for stat in /proc/"$vpid"/task/*/schedstat; do
        read -r ns _ < "$stat" && sum=$((sum + ns))
    done
    echo "$sum"
}

# cpu_per_mille SECONDS [BUDGET]: thousandths of one core that vesk ($vpid) uses over that
# time. Other work on the machine makes every wake-up cost more: with a budget, up to three
# windows are measured until one keeps it, and the best counts.
cpu_per_mille() {
    best=""
    for _ in 1 2 3; do
        before=$(cpu_ns)
        sleep "$1"
        used=$((($(cpu_ns) - before) / 1000 / $1))
        { [ -z "$best" ] || [ "$used" -lt "$best" ]; } && best=$used
        { [ -z "${2:-}" ] || [ "$best" -lt $(($2 * 1000)) ]; } && break
    done
    echo $((best / 1000))
}

# tree_drawn: the tarnel is open on the bonsai tab and its card shows a lit tree in its middle
# (the card is the 378 × 316 rectangle 31 into the tarnel and below the 30-high top bar and
# its 8 of gap).
tree_drawn() {
    is_open || return 1
    seen=$(import -window root -crop 180x200+711+98 -colorspace gray -format '%[fx:int(255*mean)]' info:)
    [ "$seen" -gt 12 ]
}

# run_to_end OPTIONS...: vesk with options that make it quit by itself (a snapshot, a
# scene), in the foreground; on a busy machine that can take long, so the deadline only
# catches a run that never quits (status 124 then).
run_to_end() { timeout "$((60 * patience))" "$vesk" "$@"; }
