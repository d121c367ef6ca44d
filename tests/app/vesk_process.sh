# Sourced after x_session.sh by the runs of the real vesk: start it until its panel shows,
# quit it the way the user does, and read what it costs. Needs $vesk.

# launch NAME [OPTIONS...]: vesk with the options until its panel shows; leaves its pid in
# $vpid, its output in $work/NAME.out and NAME.err.
launch() {
    name=$1
    shift
    "$vesk" "$@" > "$work/$name.out" 2> "$work/$name.err" &
    vpid=$!
    pids="$vpid $pids"
    for _ in $(seq 200); do
        for candidate in $(xdotool search --onlyvisible --pid "$vpid" 2>/dev/null || true); do
            xwininfo -id "$candidate" 2>/dev/null | grep -q 'Width: 1100' && return 0
        done
        kill -0 "$vpid" 2>/dev/null || fail "$name: vesk ended early: $(cat "$work/$name.err")"
        sleep 0.05
    done
    fail "$name: no panel window"
}

# quit NAME: SIGTERM, the usual quit path, which saves; vesk must end with status 0.
quit() {
    kill -TERM "$vpid"
    set +e
    wait "$vpid"
    status=$?
    set -e
    [ "$status" -eq 0 ] || fail "$1: exit status $status: $(cat "$work/$1.err")"
}

# cpu_per_mille SECONDS: thousandths of one core that vesk ($vpid) uses over that time.
cpu_per_mille() {
    ticks() { awk '{print $14 + $15}' "/proc/$vpid/stat"; }
    before=$(ticks)
    sleep "$1"
    after=$(ticks)
    echo $(( (after - before) * 1000 / $(getconf CLK_TCK) / $1 ))
}
