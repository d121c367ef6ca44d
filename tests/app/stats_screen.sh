#!/bin/sh
# The stats tab of the real vesk on a history of two days: today's bar stands full height in
# the focus colour, yesterday's lower in grey, today's heat-map cell and the top task's bar
# show, and the data file is left valid. The picture is kept in $VESK_SHOTS when that is set.
set -eu
. "$(dirname "$0")/x_session.sh"

now=$(date +%s)
iso() { date -u -d "@$1" +%Y-%m-%dT%H:%M:%SZ; }
list=8E2B1C4D-0000-4000-8000-000000000001
task=8E2B1C4D-0000-4000-8000-000000000002
cat > "$TARNEL_DATA" <<JSON
{"lists":[{"id":"$list","name":"My Tasks"}],
 "tasks":[{"id":"$task","listID":"$list","title":"Write the report","createdAt":"$(iso $((now - 172800)))","order":0}],
 "sessions":[
  {"id":"8E2B1C4D-0000-4000-8000-000000000003","taskID":"$task","mode":"pomodoro","start":"$(iso "$now")","duration":3600,"fullPomodoro":true},
  {"id":"8E2B1C4D-0000-4000-8000-000000000004","mode":"stopwatch","start":"$(iso $((now - 86400)))","duration":1200,"fullPomodoro":false}],
 "timer":{},"prefs":{"onboarded":true}}
JSON

shot="$work/stats.png"
run_to_end --expand stats --snapshot "$shot" > "$work/out" 2> "$work/err" || fail "vesk: $(cat "$work/err")"
[ -f "$shot" ] || fail "no picture"
if [ -n "${VESK_SHOTS:-}" ]; then mkdir -p "$VESK_SHOTS" && cp "$shot" "$VESK_SHOTS/"; fi

# count COLOUR GEOMETRY: the pixels near the colour inside the region of the picture.
count() {
    convert "$shot" -crop "$2" -fuzz 10% -fill white -opaque "$1" -fill black +opaque white \
        -format '%[fx:int(mean*w*h)]' info:
}
focus='rgb(237,107,76)'     # the focus colour: today's bar, a full heat-map cell
grey='rgb(61,61,61)'        # white at 0.24 over black: another day's bar
green='rgb(118,163,112)'    # the accent at 0.8 over black: a top task's bar
# The picture is the 440-point tarnel with 30 points of margin left and right.
bars=500x62+0+128
heat=500x115+0+232
top=500x90+0+350
[ "$(count "$focus" $bars)" -gt 1500 ] || fail "today's bar does not stand full height"
[ "$(count "$grey" $bars)" -gt 300 ] || fail "yesterday's bar is missing"
[ "$(count "$focus" $heat)" -gt 30 ] || fail "today's heat-map cell is not lit"
[ "$(count "$green" $top)" -gt 200 ] || fail "the top task has no bar"
"$json_check" "$TARNEL_DATA" || fail "the data file is no longer valid JSON"
echo "ok"
