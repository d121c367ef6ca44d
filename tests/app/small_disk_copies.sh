#!/bin/sh
# The real vesk with its data folder on a file system that holds the data file and a save's
# temporary file beside it, not a copy aside as well. Another program's edit that removes a
# task asks for a copy of the document as it stood: the merged save goes first, the copy waits
# and lands at quit, once there is room, and nothing is lost. Needs to mount a tmpfs (root, as
# in CI); skips with a message where that is refused.
set -eu
. "$(dirname "$0")/x_session.sh"
. "$(dirname "$0")/small_disk.sh"
mount_small 200k

export TARNEL_DATA="$small/data.json"
printf '%s' '{"lists":[],"tasks":[],"sessions":[],"timer":{},"prefs":{"onboarded":true}}' > "$TARNEL_DATA"
launch small

# saved_with TITLE: the app has written the file in its own form with the task; what it said
# last is left in $seen.
saved_with() {
    seen=$(tail -n 2 "$work/small.err")
    grep -q '"bonsai"' "$TARNEL_DATA" && grep -q "\"$1\"" "$TARNEL_DATA"
}
# Tasks with long titles, enough that the app's own form takes about 80 KB of the 200.
python3 - "$TARNEL_DATA" <<'PY'
import json, sys
tasks = [{"title": "task %03d %s" % (i, "x" * 150)} for i in range(190)]
json.dump({"lists": [{"id": "11111111-1111-4111-8111-111111111111", "name": "Inbox"}], "tasks": tasks},
          open(sys.argv[1], "w"))
PY
wait_until 10 "the first edit was not saved" saved_with "task 189 x*"
size=$(wc -c < "$TARNEL_DATA")
[ "$size" -gt 68000 ] && [ "$size" -lt 96000 ] || fail "the document takes $size bytes, not about 80 KB"

# Another program takes the first task away and adds one, in the app's own form but for the
# bonsai it leaves to the app.
python3 - "$TARNEL_DATA" <<'PY'
import json, sys
doc = json.load(open(sys.argv[1]))
del doc["bonsai"]
doc["tasks"] = [t for t in doc["tasks"] if not t["title"].startswith("task 000 ")]
doc["tasks"].append({"title": "added on a small disk"})
open(sys.argv[1], "w").write(json.dumps(doc, indent=2, sort_keys=True))
PY
wait_until 10 "the merged edit was not saved" saved_with "added on a small disk"
grep -q "cannot save" "$work/small.err" && fail "a save failed: $(cat "$work/small.err")"
grep -q "the disk has no room for it as well as for the save, which goes first" "$work/small.err" ||
    fail "the waiting copy was not said: $(cat "$work/small.err")"
quit small
grep -q '"task 000 ' "$TARNEL_DATA" && fail "the removed task is back"
copy=$(ls "$TARNEL_DATA".before-merge-* 2> /dev/null || true)
[ -n "$copy" ] && grep -q '"task 000 ' "$copy" || fail "no copy of the document as it stood at quit: $(cat "$work/small.err")"
"$json_check" "$TARNEL_DATA" || fail "the data file is no valid JSON"
echo "ok: a $size-byte document saved first, its copy kept at quit"
