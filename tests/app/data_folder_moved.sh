#!/bin/sh
# The real vesk while its data folder is renamed away, then removed, and each time made again
# with another program's edit in it: the watch follows the folder's path, and each edit is
# merged within seconds, without a save of vesk's own to bring it in. With every core busy the
# deadline is far past the second or two a quiet machine takes.
set -eu
. "$(dirname "$0")/x_session.sh"

folder="$work/data"
mkdir -p "$folder"
export TARNEL_DATA="$folder/data.json"
printf '%s' '{"lists":[],"tasks":[],"sessions":[],"timer":{},"prefs":{"onboarded":true}}' > "$TARNEL_DATA"
launch vesk

list=11111111-1111-4111-8111-111111111111
# merged TITLE: the app has taken in the task and written the file in its own form.
merged() {
    seen=$(cat "$TARNEL_DATA" 2> /dev/null || true)
    grep -q '"bonsai"' "$TARNEL_DATA" 2> /dev/null && grep -q "\"$1\"" "$TARNEL_DATA"
}
# edit TITLE: another program makes the folder again (when the app has not yet) and writes a task.
edit() {
    mkdir -p "$folder"
    printf '{"lists":[{"id":"%s","name":"Inbox"}],"tasks":[{"title":"%s"}]}' "$list" "$1" > "$TARNEL_DATA"
}

mv "$folder" "$work/data.old"
edit "after the rename"
wait_until 5 "the edit in the folder made again after a rename was not merged" \
    merged "after the rename"

rm -rf "$folder"
edit "after the removal"
wait_until 5 "the edit in the folder made again after a removal was not merged" \
    merged "after the removal"
"$json_check" "$TARNEL_DATA" || fail "the data file is no valid JSON"
quit vesk
echo "ok"
