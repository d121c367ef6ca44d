#!/bin/sh
# A quit while a sound is stuck: the sound server accepts the connection and never answers, as
# a hung PulseAudio does. SIGTERM still ends vesk within a few seconds, its data saved first.
set -eu
. "$(dirname "$0")/x_session.sh"

server="$work/pulse.sock"
/usr/bin/python3 - "$server" "$work/pulse.log" <<'PY' &
import socket, sys
listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
listener.bind(sys.argv[1])
listener.listen(8)
held = []
while True:
    connection, _ = listener.accept()
    held.append(connection)
    with open(sys.argv[2], "a") as log:
        log.write("accepted\n")
PY
pids="$pids $!"
wait_until 10 "the sound server did not start" test -S "$server"
export PULSE_SERVER="unix:$server"

# A focus a second from its end, which plays a sound.
now=$(date -u +%Y-%m-%dT%H:%M:%SZ)
printf '{"lists":[],"tasks":[],"sessions":[],"timer":{"mode":"pomodoro","phase":"focus","accumulated":1499,"runningSince":"%s","segmentStart":"%s"},"prefs":{"onboarded":true,"sound":true,"focusMinutes":25}}' \
    "$now" "$now" > "$TARNEL_DATA"
launch vesk
sound_stuck() { grep -q accepted "$work/pulse.log" 2>/dev/null; }
wait_until 30 "the focus's end did not reach the sound server" sound_stuck

start=$(date +%s%N)
kill -TERM "$vpid"
wait_until 30 "vesk did not end on SIGTERM while a sound was stuck" gone "$vpid"
took=$((($(date +%s%N) - start) / 1000000))
echo "SIGTERM to the end of vesk with a sound stuck: $took ms"
[ "$took" -lt $((5000 * patience)) ] || fail "vesk took $took ms to end"
set +e
wait "$vpid"
status=$?
set -e
[ "$status" -eq 0 ] || fail "exit status $status: $(cat "$work/vesk.err")"
"$json_check" "$TARNEL_DATA" /sessions/0/duration > /dev/null || fail "the finished focus was not saved: $(cat "$TARNEL_DATA")"
echo "ok"
