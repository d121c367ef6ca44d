#!/bin/sh
# One Vesk per data file, whatever became of its lock: with the lock file removed while Vesk
# runs, or in a read-only folder where none can be made, a second `vesk` (a desktop shortcut)
# opens the running one's tarnel and ends with status 0, saying nothing; a removed lock file
# is made and locked again.
set -eu
. "$(dirname "$0")/x_session.sh"

# second WHAT COMMAND...: the command, a second vesk, hands over to the first, whose tarnel opens.
second() {
    what=$1
    shift
    "$@" > "$work/second.out" 2> "$work/second.err" &
    second=$!
    pids="$second $pids"
    wait_until 30 "$what: the second vesk did not end: $(cat "$work/second.err")" gone "$second"
    set +e
    wait "$second"
    status=$?
    set -e
    [ "$status" -eq 0 ] || fail "$what: the second vesk ended with $status: $(cat "$work/second.err")"
    [ ! -s "$work/second.err" ] || fail "$what: the second vesk said: $(cat "$work/second.err")"
    opened "$what"
}

lock="$TARNEL_DATA.lock"
launch first
rm "$lock"
second "lock file removed" "$vesk"
# held: the lock file is there, and locked.
held() { [ -e "$lock" ] && ! flock -n "$lock" true; }
wait_until 30 "the removed lock file was not made and locked again" held
grep -qF "$lock was removed or replaced; made and locked again" "$work/first.err" ||
    fail "the first vesk said: $(cat "$work/first.err")"
quit first

[ "$(id -u)" -eq 0 ] || { echo "ok (the read-only folder skipped: it needs root)"; exit 0; }
# The folder bound read-only over itself, as a read-only mount shows it to every program. (Not
# in a mount namespace of its own: a chroot, as CI's, has no root mount to make private.)
folder="$work/read-only"
mkdir "$folder"
cp "$TARNEL_DATA" "$folder/data.json"
export TARNEL_DATA="$folder/data.json"
. "$(dirname "$0")/small_disk.sh"
mount --bind "$folder" "$folder" 2> "$work/mount.err" ||
    { echo "ok (the read-only folder skipped: $(cat "$work/mount.err"))"; exit 0; }
unmount_at_exit "$folder"
mount -o remount,bind,ro "$folder" || fail "the folder could not be made read-only"
launch unlocked
grep -q "running unlocked" "$work/unlocked.err" || fail "read-only: the first vesk said: $(cat "$work/unlocked.err")"
second "read-only folder" "$vesk"
[ ! -e "$folder/data.json.lock" ] || fail "read-only: a lock file was made"
quit unlocked
echo "ok"
