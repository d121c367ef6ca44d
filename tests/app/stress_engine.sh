#!/bin/sh
# vesk --stress-engine: a report line every 2 s with rising counters and bounded memory, then
# "SURVIVED" and status 0; no display and no user data touched.
set -eu
vesk="$1"
. "$(dirname "$0")/private_home.sh"

status=0
"$vesk" --stress-engine 4 5000 0.05 >"$work/out.txt" 2>"$work/err.txt" || status=$?
cat "$work/out.txt" "$work/err.txt"
[ "$status" -eq 0 ] || fail "exited with $status"
[ "$(tail -n 1 "$work/out.txt")" = "SURVIVED" ] || fail "the last line is not SURVIVED"
reports=$(grep -c '^t=' "$work/out.txt")
[ "$reports" -eq 2 ] || fail "$reports report lines"
grep -q '^t=   2s requests=' "$work/out.txt" || fail "the first report is not at t=2 in four places"

field() { sed -n "$1p" "$work/out.txt" | tr ' ' '\n' | sed -n "s/^$2=//p"; }
for name in requests frames; do
    first=$(field 1 "$name")
    second=$(field 2 "$name")
    [ "$first" -gt 0 ] || fail "no $name in the first report"
    [ "$second" -gt "$first" ] || fail "$name did not rise: $first, $second"
done
[ "$(field 2 anims)" -ge 1 ] || fail "no animated request"
[ "$(field 2 shown)" -ge 1 ] || fail "no tree installed"
peak=$(sed -n 2p "$work/out.txt" | sed 's/.*peak=\([0-9]*\) MB/\1/')
keeps_budget [ "$peak" -lt 1500 ] || fail "peak memory $peak MB"

[ ! -e "$work/data" ] || fail "the data folder was created"
echo "ok"
