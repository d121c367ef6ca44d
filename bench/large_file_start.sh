#!/usr/bin/env bash
# How soon the window of a large data file shows: a 20,000-task file of about 10 MB, the real
# vesk under Xvfb with a compositor, from exec to its panel window mapped; and the CPU time
# vesk spent until then (steadier than wall time on a busy machine). A figure, not a budget.
# Usage: bench/large_file_start.sh VESK [RUNS [OTHER_VESK...]]: with other builds (a before and
# an after), the runs take turns, so that the machine's changing load falls on all alike, and
# the medians close the report.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
builds=("$(realpath "$1")")
runs=${2:-5}
for other in "${@:3}"; do builds+=("$(realpath "$other")"); done
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
# The root window's MapNotify, as the X server sends it, tells when a window shows; the time is
# taken by the shell's own clock and vesk's CPU read without starting a process, so that the
# measure adds nothing to what it measures.
coproc XEV { stdbuf -oL xev -root -event substructure 2>/dev/null; }
pids="$pids $XEV_PID"
vesk_visible() { [ -n "$(xdotool search --onlyvisible --pid "$vpid" 2>/dev/null)" ]; }
declare -A walls cpus
for run in $(seq "$runs"); do
    for vesk in "${builds[@]}"; do
        cp "$work/large.json" "$TARNEL_DATA"
        while read -r -t 0.3 -u "${XEV[0]}" _; do :; done
        start=$EPOCHREALTIME
        "$vesk" > "$work/run.out" 2>&1 &
        vpid=$!
        shown=""
        while read -r -t 20 -u "${XEV[0]}" line; do
            if [[ $line == MapNotify* ]]; then
                shown=$EPOCHREALTIME
                read -r stat < "/proc/$vpid/stat"
                break
            fi
        done
        [ -n "$shown" ] || fail "no window: $(cat "$work/run.out")"
        wait_until 20 "the window that showed is not vesk's" vesk_visible
        cpu=$(echo "${stat##*) }" | awk '{print $12 + $13}')
        wall=$(awk -v a="$start" -v b="$shown" 'BEGIN {printf "%d", (b - a) * 1000}')
        cpu=$(( cpu * 1000 / hz ))
        echo "run $run: visible after $wall ms; vesk's CPU until then $cpu ms (load $(cut -d' ' -f1 /proc/loadavg))${builds[1]:+ $vesk}"
        walls[$vesk]+=" $wall"
        cpus[$vesk]+=" $cpu"
        kill -TERM "$vpid"
        wait "$vpid" || true
    done
done
median() { tr ' ' '\n' | grep . | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
for vesk in "${builds[@]}"; do
    echo "median of $runs: visible after $(median <<< "${walls[$vesk]}") ms, CPU $(median <<< "${cpus[$vesk]}") ms: $vesk"
done
