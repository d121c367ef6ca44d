#!/bin/sh
# The command line before anything starts: "--help" prints the README's list, a mistyped option
# or an option's missing or wrong value is refused with the same list and status 2, and without
# a display, or with one that does not answer, vesk says so; none of them opens a display or
# touches a file.
set -eu
vesk="$1"
. "$(dirname "$0")/private_home.sh"
readme="$(dirname "$0")/../../README.md"
export TARNEL_DATA="$work/data.json" DISPLAY=":9999"

"$vesk" --help > "$work/help" 2> "$work/help.err" || fail "--help exited with $?"
[ ! -s "$work/help.err" ] || fail "--help wrote to stderr: $(cat "$work/help.err")"
sed 's/^/    /; s/^ *$//' "$work/help" > "$work/indented"
grep -qF "$(head -n 1 "$work/indented")" "$readme" || fail "the README does not show --help"
awk -v want="$(cat "$work/indented")" 'BEGIN { RS = "\0" } { exit index($0, want) ? 0 : 1 }' "$readme" ||
    fail "the README's command list differs from --help"

# refused LINE WORDS...: vesk with the words ends with status 2, saying LINE and the list.
refused() {
    line=$1
    shift
    set +e
    "$vesk" "$@" > "$work/out" 2> "$work/err"
    status=$?
    set -e
    [ "$status" = 2 ] || fail "$*: exit status $status"
    [ "$(head -n 1 "$work/err")" = "vesk: $line" ] || fail "$*: $(head -n 1 "$work/err")"
    tail -n +3 "$work/err" | cmp -s - "$work/help" || fail "$*: the list of options differs from --help"
}
for word in --dmeo --bogus stats; do
    refused "unknown option \"$word\"" --demo "$word"
done
# A value missing or not of its kind, which would otherwise start the program or, while one
# runs, hand it a toggle it did not ask for.
refused 'option "--iter" wants N, a whole number, not "abc"' --iter abc
refused 'option "--seed" wants S, a whole number of 0 or more' --demo --seed
refused 'option "--expand" wants TAB, a word' --expand
# A value is no option, whatever it looks like.
set +e
"$vesk" --expand --bogus --then stats > /dev/null 2> "$work/err"
status=$?
set -e
[ "$status" = 1 ] || fail "valued options: exit status $status: $(cat "$work/err")"

# A display that takes the connection and never answers, as a stopped server does: under the
# first free number, in the abstract socket namespace where xcb looks first.
/usr/bin/python3 - > "$work/silent" <<'PY' &
import signal, socket
for number in range(100, 1000):
    listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    try:
        listener.bind("\0/tmp/.X11-unix/X%d" % number)
    except OSError:
        continue
    listener.listen(8)
    print(number, flush=True)
    signal.pause()
PY
silent=$!
pids="$pids $silent"
until [ -s "$work/silent" ]; do
    kill -0 "$silent" 2>/dev/null || fail "no silent display could listen"
    sleep 0.1
done
for display in "" ":9999" ":$(cat "$work/silent")"; do
    set +e
    # The deadline only catches a wait that never ends.
    env DISPLAY="$display" timeout 120 "$vesk" > /dev/null 2> "$work/err"
    status=$?
    set -e
    [ "$status" = 1 ] || fail "display \"$display\": exit status $status"
    [ "$(wc -l < "$work/err")" = 1 ] && grep -q DISPLAY "$work/err" || fail "display \"$display\": $(cat "$work/err")"
done
! ls -A "$work" | grep -q '^data' || fail "a refused launch made files beside the data file: $(ls -A "$work")"
[ ! -e "$XDG_DATA_HOME" ] || fail "a refused launch made the data folder"
echo "ok"
