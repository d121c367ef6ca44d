#!/bin/sh
# The real vesk while an older copy of its data file is written back over it: a script that read
# the file writes it back after tasks were typed and saved, and a backup taken at start is
# restored. Every typed task stays in data.json or is in the copy kept beside it, and a line on
# standard error says what happened.
set -eu
. "$(dirname "$0")/x_session.sh"

cp "$TARNEL_DATA" "$work/backup.json"
launch older
xdotool key alt+space
wait_until 30 "Alt+Space did not focus the add field" add_field_focused
# type_saved TITLE: typed, and saved: a new file in place. Its bytes are not read, as the app
# takes the last read of the file it saw as what the script's write is based on.
replaced() { [ "$(stat -c %i "$TARNEL_DATA")" != "$1" ]; }
type_saved() {
    saved=$(stat -c %i "$TARNEL_DATA")
    xdotool type --delay 30 "$1"
    xdotool key Return
    wait_until 10 "\"$1\" was not saved" replaced "$saved"
}
# kept TITLE: in the data file, or in a copy beside it.
kept() { grep -q "\"$1\"" "$TARNEL_DATA" "$TARNEL_DATA".before-merge-* 2> /dev/null; }
merged() { seen=$(cat "$work/older.err"); [ "$(grep -c "another program" "$work/older.err")" -ge "$1" ]; }

type_saved "typed first"
cp "$TARNEL_DATA" "$work/read.json" # a script reads the file ...
type_saved "typed second"
type_saved "typed third"
cp "$work/read.json" "$TARNEL_DATA" # ... and writes it back
wait_until 10 "nothing said of the older copy" merged 1
wait_until 10 "the app's document did not return" grep -q '"typed third"' "$TARNEL_DATA"
for title in "typed first" "typed second" "typed third"; do
    grep -q "\"$title\"" "$TARNEL_DATA" || fail "\"$title\" is gone after a stale write: $(cat "$TARNEL_DATA")"
done

type_saved "typed fourth"
cp "$work/backup.json" "$TARNEL_DATA" # the backup taken before the first task
wait_until 10 "nothing said of the restored backup" merged 2
wait_until 10 "the app did not write the file again" grep -q '"bonsai"' "$TARNEL_DATA"
for title in "typed first" "typed second" "typed third" "typed fourth"; do
    kept "$title" || fail "\"$title\" is neither in the file nor in a copy: $(cat "$work/older.err")"
done
"$json_check" "$TARNEL_DATA" || fail "the data file is no valid JSON"
quit older
echo "ok: $(grep -c "another program" "$work/older.err") lines said"
