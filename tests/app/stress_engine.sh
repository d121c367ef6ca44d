#!/bin/sh
# vesk --stress-engine 4 5000 0.05: two report lines with rising counters, bounded memory,
# then SURVIVED and status 0; no display and no user data touched.
set -eu
vesk="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
unset DISPLAY WAYLAND_DISPLAY TARNEL_DATA 2>/dev/null || true
cd "$work"

fail() { echo "FAIL: $*" >&2; cat out.txt >&2 || true; exit 1; }

timeout 60 "$vesk" --stress-engine 4 5000 0.05 >out.txt 2>err.txt || fail "exit status $?"
[ "$(tail -n 1 out.txt)" = "SURVIVED" ] || fail "no SURVIVED at the end"
[ "$(grep -c '^t=' out.txt)" -eq 2 ] || fail "not two report lines"
grep -Eq '^t=   [0-9]s requests=[0-9]+ anims=[0-9]+ frames=[0-9]+ shown=[0-9]+ rss=[0-9]+ MB peak=[0-9]+ MB$' out.txt ||
    fail "report lines do not have the expected form"

field() { grep '^t=' out.txt | sed -n "$1p" | sed -E "s/.* $2=([0-9]+).*/\\1/"; }
[ "$(field 2 requests)" -gt "$(field 1 requests)" ] || fail "requests did not rise"
[ "$(field 2 frames)" -gt "$(field 1 frames)" ] || fail "frames did not rise"
[ "$(field 1 requests)" -ge 20 ] || fail "too few requests in the first 2 s"
[ "$(field 2 anims)" -ge 1 ] || fail "no animated request"
[ "$(field 2 shown)" -ge 1 ] || fail "no tree was ever shown"
[ "$(field 2 peak)" -lt 1500 ] || fail "peak memory $(field 2 peak) MB"
[ ! -e "$work/data" ] || fail "the data folder was created"
echo "ok"
