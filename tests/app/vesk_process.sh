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

# panel_shown: the panel of vesk ($vpid) is mapped, 1100 wide; its id is left in $window.
panel_shown() {
    kill -0 "$vpid" 2>/dev/null || fail "$name: vesk ended early: $(cat "$work/$name.err")"
    for window in $(xdotool search --onlyvisible --pid "$vpid" 2>/dev/null || true); do
        xwininfo -id "$window" 2>/dev/null | grep -q 'Width: 1100' && return 0
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

# quit NAME: SIGTERM, the usual quit path, which saves; vesk must end with status 0.
quit() {
    kill -TERM "$vpid"
    wait_until 30 "$1: vesk did not quit on SIGTERM" gone "$vpid"
    set +e
    wait "$vpid"
    status=$?
    set -e
    [ "$status" -eq 0 ] || fail "$1: exit status $status: $(cat "$work/$1.err")"
}

# is_open: the open tarnel is black in its left margin well below the pill; the desktop
# shows there when it is closed.
is_open() { import -window root -crop 1x1+605+300 -depth 8 txt:- | grep -q '#000000'; }
is_closed() { ! is_open; }
# opened WHAT / closed WHAT: waits until the tarnel is open (closed) after WHAT.
opened() { wait_until 30 "$1: the tarnel did not open" is_open; }
closed() { wait_until 30 "$1: the tarnel did not close" is_closed; }

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

# run_to_end OPTIONS...: vesk with options that make it quit by itself (a snapshot, a
# scene), in the foreground; on a busy machine that can take long, so the deadline only
# catches a run that never quits (status 124 then).
run_to_end() { timeout "$((60 * patience))" "$vesk" "$@"; }
