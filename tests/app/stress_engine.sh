#!/bin/sh
# vesk --stress-engine: report lines with the time since the start, rising counters and
# bounded memory, ending at the first report at or after the length asked for, then
# "SURVIVED" and status 0; no display and no user data touched. The reports come from a
# 2-second timer, which a busy machine delays: the times are judged as what they are, the
# seconds elapsed, not as multiples of 2: a report so late that it comes after the length
# is the only one.
set -eu
vesk="$1"
. "$(dirname "$0")/private_home.sh"

length=6
status=0
"$vesk" --stress-engine "$length" 5000 0.05 >"$work/out.txt" 2>"$work/err.txt" || status=$?
cat "$work/out.txt" "$work/err.txt"
[ "$status" -eq 0 ] || fail "exited with $status"
[ "$(tail -n 1 "$work/out.txt")" = "SURVIVED" ] || fail "the last line is not SURVIVED"
grep '^t=' "$work/out.txt" > "$work/reports.txt" || true
reports=$(wc -l < "$work/reports.txt")
[ "$reports" -ge 1 ] || fail "no report line"
number='[0-9][0-9]*'
grep -vq "^t=[ 0-9]\{3\}[0-9]s requests=$number anims=$number frames=$number shown=$number rss=$number MB peak=$number MB$" \
    "$work/reports.txt" && fail "a report line out of form (the time in four places)"

# The first report no sooner than its timer's period, then times that never go back (ticks
# that a busy main thread held back come one after the other); only the last one has
# reached the length (a time just short of it may be printed rounded up to it).
previous=2
line=0
for t in $(sed 's/^t= *\([0-9]*\)s.*/\1/' "$work/reports.txt"); do
    line=$((line + 1))
    [ "$t" -ge "$previous" ] || fail "report $line at t=$t after t=$previous"
    if [ "$line" -lt "$reports" ]; then
        [ "$t" -le "$length" ] || fail "the run went on after t=$t"
    else
        [ "$t" -ge "$length" ] || fail "the run ended at t=$t, before $length s"
    fi
    previous=$t
done

field() { sed -n "$1p" "$work/reports.txt" | tr ' ' '\n' | sed -n "s/^$2=//p"; }
for name in requests frames; do
    first=$(field 1 "$name")
    last=$(field "$reports" "$name")
    [ "$first" -gt 0 ] || fail "no $name in the first report"
    [ "$reports" -eq 1 ] || [ "$last" -gt "$first" ] || fail "$name did not rise: $first, $last"
done
# A request every 0.05 s: every 20th is animated.
requests=$(field "$reports" requests)
[ "$(field "$reports" anims)" -eq $((requests / 20)) ] || fail "not every 20th of $requests requests was animated"
[ "$(field "$reports" shown)" -ge 1 ] || fail "no tree installed"
peak=$(sed -n "${reports}p" "$work/reports.txt" | sed 's/.*peak=\([0-9]*\) MB/\1/')
keeps_budget [ "$peak" -lt 1500 ] || fail "peak memory $peak MB"

[ ! -e "$work/data" ] || fail "the data folder was created"
echo "ok"
