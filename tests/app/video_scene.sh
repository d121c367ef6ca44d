#!/bin/sh
# A scripted scene on the real vesk: with TARNEL_DATA it seeds the scene data, writes the start
# moment, quits by itself after the clip and saves the scene; without TARNEL_DATA it saves nothing.
set -eu
. "$(dirname "$0")/x_session.sh"

# play NAME: runs the "stats" scene until vesk quits by itself; prints the milliseconds it took.
play() {
    start=$(date +%s%N)
    set +e
    (export VESK_VIDEO=stats VESK_VIDEO_T0="$work/t0" && run_to_end > "$work/$1.out" 2> "$work/$1.err")
    status=$?
    set -e
    [ "$status" -ne 124 ] || fail "$1: vesk did not quit after the scene"
    [ "$status" -eq 0 ] || fail "$1: exit status $status: $(cat "$work/$1.err")"
    echo $((($(date +%s%N) - start) / 1000000))
}

took=$(play with_data)
# Start moment at 1.6 s, quit at 1.6 + 3.2 + 2.5 s: never sooner, later on a busy machine.
[ "$took" -gt 6500 ] || fail "the scene took only $took ms"
t0=$(cat "$work/t0")
awk "BEGIN { exit !($t0 > 1.7e9) }" || fail "start moment '$t0'"
[ "$("$json_check" "$TARNEL_DATA" /tasks /tasks/4/title /bonsai/garden/0/seed /prefs/onboarded | tr '\n' ' ')" = \
    "9 Gym — leg day 12345 true " ] || fail "scene data: $(cat "$TARNEL_DATA" | head -c 300)"

# Without TARNEL_DATA the default data file is the user's own: nothing of theirs is written,
# not even the copy of an old Tarnel file, and no lock is taken, so the user's own Vesk (here
# its lock, held) does not keep the scene from running.
mkdir -p "$XDG_DATA_HOME/Tarnel" "$XDG_DATA_HOME/Vesk"
cp "$TARNEL_DATA" "$XDG_DATA_HOME/Tarnel/data.json"
unset TARNEL_DATA
exec 9> "$XDG_DATA_HOME/Vesk/data.json.lock"
flock -n 9 || fail "could not lock the data file"
play without_data > /dev/null
exec 9>&-
[ "$(ls -A "$XDG_DATA_HOME/Vesk")" = "data.json.lock" ] || fail "a scene without TARNEL_DATA wrote: $(ls -A "$XDG_DATA_HOME/Vesk")"
echo "ok: the scene took $took ms"
