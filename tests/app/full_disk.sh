#!/bin/sh
# The real vesk with its data folder on a small file system that fills up: the change it cannot
# write stays due, is on the disk within seconds of space returning, and the failure is printed
# once. Needs to mount a tmpfs (root, as in CI); skips with a message where that is refused.
set -eu
. "$(dirname "$0")/x_session.sh"
. "$(dirname "$0")/small_disk.sh"
mount_small 384k

export TARNEL_DATA="$small/data.json"
printf '%s' '{"lists":[],"tasks":[],"sessions":[],"timer":{},"prefs":{"onboarded":true}}' > "$TARNEL_DATA"
launch full

# Full: the filler takes every page but the data file's own.
dd if=/dev/zero of="$small/filler" bs=4096 2> /dev/null || true
# Another program's task, rewritten in place into the page the file already has; the app takes
# it in and must write its own form of it, which finds no space.
list=11111111-1111-4111-8111-111111111111
printf '{"lists":[{"id":"%s","name":"Inbox"}],"tasks":[{"title":"written while full"}]}' "$list" \
    > "$TARNEL_DATA" || fail "the edit does not fit in the full file system"
wait_until 30 "no failure printed: $(cat "$work/full.err")" grep -q "cannot save" "$work/full.err"
grep -q "cannot save $TARNEL_DATA: No space left on device" "$work/full.err" ||
    fail "no failure printed: $(cat "$work/full.err")"
grep -q '"bonsai"' "$TARNEL_DATA" && fail "the app wrote to a full disk?"

rm "$small/filler"
freed=$(date +%s)
wait_until 30 "the change never reached the disk" grep -q '"bonsai"' "$TARNEL_DATA"
took=$(($(date +%s) - freed))
grep -q '"written while full"' "$TARNEL_DATA" || fail "the saved file lacks the task"
[ "$took" -le $((10 * patience)) ] || fail "saved $took s after space returned"
"$json_check" "$TARNEL_DATA" || fail "the data file is no valid JSON"
[ "$(grep -c "cannot save" "$work/full.err")" -eq 1 ] || fail "the failure was not printed once: $(cat "$work/full.err")"
wait_until 10 "the success after the failure was not printed" grep -q "saved $TARNEL_DATA again" "$work/full.err"
quit full
echo "ok: saved $took s after space returned"
