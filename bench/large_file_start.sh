#!/usr/bin/env bash
# How soon the window of a large data file shows: a 20,000-task file of about 10 MB, the real
# vesk under Xvfb with a compositor, from exec to its panel window mapped; and the CPU time
# vesk spent until then (steadier than wall time on a busy machine). A figure, not a budget.
# Usage: bench/large_file_start.sh VESK [RUNS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
vesk=$(realpath "$1")
runs=${2:-5}
# The X session finds its helpers next to the script that sources it.
BASH_ARGV0="$here/../tests/app/$(basename "$0")"
. "$here/../tests/app/x_session.sh"

python3 - "$TARNEL_DATA" <<'PY'
import json, sys, uuid, random
random.seed(7)
ids = lambda: str(uuid.UUID(int=random.getrandbits(128), version=4)).upper()
lists = [{"id": ids(), "name": f"List {i}"} for i in range(8)]
tasks = []
for i in range(20000):
    task = {"id": ids(), "listID": lists[i % 8]["id"], "title": f"Task number {i} with a longer title",
            "notes": "Notes written by hand about the task, " * 4, "createdAt": "2026-03-01T08:30:00Z",
            "order": float(i), "starred": i % 7 == 0, "rewarded": i % 3 == 0}
    if i % 4 == 3: task["parentID"] = tasks[-1]["id"]; task["listID"] = tasks[-1]["listID"]
    if i % 3 == 0: task["completedAt"] = "2026-03-02T10:00:00Z"
    if i % 5 == 0: task["due"] = "2026-04-01T00:00:00Z"
    tasks.append(task)
document = {"lists": lists, "tasks": tasks, "sessions": [], "timer": {},
            "prefs": {"onboarded": True, "selectedListID": lists[0]["id"]}}
json.dump(document, open(sys.argv[1], "w"), indent=2, sort_keys=True)
PY
cp "$TARNEL_DATA" "$work/large.json"
echo "data file: $(( $(stat -c %s "$work/large.json") / 1000 )) kB"
hz=$(getconf CLK_TCK)
for run in $(seq "$runs"); do
    cp "$work/large.json" "$TARNEL_DATA"
    start=$(date +%s%N)
    "$vesk" > "$work/run.out" 2>&1 &
    vpid=$!
    shown=""
    for _ in $(seq 2000); do
        if [ -n "$(xdotool search --onlyvisible --pid "$vpid" 2>/dev/null)" ]; then
            shown=$(date +%s%N)
            break
        fi
        sleep 0.005
    done
    [ -n "$shown" ] || fail "no window: $(cat "$work/run.out")"
    cpu=$(awk '{print $14 + $15}' "/proc/$vpid/stat")
    echo "run $run: visible after $(( (shown - start) / 1000000 )) ms; vesk's CPU until then $(( cpu * 1000 / hz )) ms (load $(cut -d' ' -f1 /proc/loadavg))"
    kill -TERM "$vpid"
    wait "$vpid" || true
done
