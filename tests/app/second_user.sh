#!/bin/sh
# Vesk beside another user of the machine: in a runtime folder every user may write (1777, as
# /tmp), a socket the other user planted under the name of Vesk's hears nothing; Vesk runs
# without a socket of its own and says why, and so does a second `vesk`.
set -eu
[ "$(id -u)" -eq 0 ] || { echo "skipped: a second user needs root"; exit 77; }
. "$(dirname "$0")/x_session.sh"
said() { grep -qF "$1" "$work/$2.err"; }

# The socket's name, from a Vesk in a runtime folder of its own.
launch own
socket=$(ls "$XDG_RUNTIME_DIR" | grep '^vesk-.*\.sock$') || fail "no socket in $XDG_RUNTIME_DIR"
quit own

export XDG_RUNTIME_DIR="$work/shared-run"
mkdir -m 1777 "$XDG_RUNTIME_DIR"
chmod 711 "$work" # the other user reaches the shared folder
setpriv --reuid=nobody --regid=nogroup --clear-groups /usr/bin/python3 - "$XDG_RUNTIME_DIR/$socket" > "$work/planted.log" <<'PY' &
import os, socket, sys
listener = socket.socket(socket.AF_UNIX, socket.SOCK_SEQPACKET)
listener.bind(sys.argv[1])
os.chmod(sys.argv[1], 0o777)
listener.listen(8)
print("listening", flush=True)
while True:
    connection, _ = listener.accept()
    heard = connection.recv(64)
    print("heard", heard, flush=True)
    connection.send(b"ok")
    connection.close()
PY
pids="$pids $!"
planted() { grep -q listening "$work/planted.log"; }
wait_until 10 "the other user's socket did not listen" planted

launch first
why="the runtime folder $XDG_RUNTIME_DIR is open to other users"
said "running vesk again will not open this Vesk: $why" first || fail "vesk said: $(cat "$work/first.err")"
set +e
"$vesk" > "$work/second.out" 2> "$work/second.err"
status=$?
set -e
[ "$status" -eq 1 ] || fail "a second vesk ended with $status: $(cat "$work/second.err")"
said "another Vesk is already running on $TARNEL_DATA, and it cannot be asked to open: $why" second ||
    fail "the second vesk said: $(cat "$work/second.err")"
if grep -q heard "$work/planted.log"; then fail "the other user's socket heard: $(cat "$work/planted.log")"; fi
quit first
echo "ok"
